#include "editors/display_bars/DisplayTextPanel.h"

#include "platform/CommonDialog.h"
#include "skin/Module.h"
#include "skin/SkinChange.h"
#include "skin/SkinFormat.h"
#include "preview/frmSkin.h"
#include "editors/CoordinateEdit.h"
#include "editors/display_bars/ColorSwatch.h"
#include "platform/VbRuntime.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int StatusText = 7;
// The font dialog shows the screen fonts, starts at the font given, offers
// the effects and only takes fonts that exist.
constexpr int32_t FontDialogFlags = 0x10141;

} // namespace

DisplayTextPanel::DisplayTextPanel(QObject *parent, const Controls &controls, QComboBox *selector)
    : QObject(parent)
    , m_controls(controls)
    , m_selector(selector)
{
    connectHandlers();
    connect(m_selector, &QComboBox::currentIndexChanged, this, &DisplayTextPanel::cbxDisplay_Click);
}

DisplayTextPanel::DisplayTextPanel(
    QObject *parent, const Controls &controls, std::function<void(bool used)> useApplied)
    : QObject(parent)
    , m_controls(controls)
    , m_useApplied(std::move(useApplied))
    , m_statusText(true)
{
    connectHandlers();
}

void DisplayTextPanel::connectHandlers()
{
    const auto gate = [this] { return gateOpen(); };
    for (CoordinateEdit *box : { m_controls.txtDimMax, m_controls.txtX, m_controls.txtY })
        box->setGate(gate);
    m_controls.txtDimMax->setMinusAllowed(false);
    connect(m_controls.chkUsed, &QCheckBox::toggled, this, &DisplayTextPanel::chkUsed_Click);
    connect(m_controls.cmdColor, &QPushButton::clicked, this, &DisplayTextPanel::cmdColor_Click);
    connect(m_controls.cmdFont, &QPushButton::clicked, this, &DisplayTextPanel::cmdFont_Click);
    connect(m_controls.txtDimMax, &QLineEdit::textChanged, this, &DisplayTextPanel::txtDimMax_Change);
    connect(m_controls.txtX, &QLineEdit::textChanged, this, &DisplayTextPanel::txtX_Change);
    connect(m_controls.txtY, &QLineEdit::textChanged, this, &DisplayTextPanel::txtY_Change);
}

int DisplayTextPanel::display() const
{
    return m_statusText ? StatusText : m_selector->currentIndex();
}

bool DisplayTextPanel::gateOpen() const
{
    const int i = display();
    return i >= 0 && i < int(gDisplays.size()) && vb::isTrue(gDisplays[i].DspUsed);
}

QLabel *DisplayTextPanel::previewLabel(int i) const
{
    frmSkin *skin = frmSkin::loaded();
    return skin ? skin->lblSkinText[i] : nullptr;
}

void DisplayTextPanel::keepLabelLeft(int i) const
{
    if (QLabel *label = previewLabel(i); label && m_statusText)
        label->move(frmSkin::ZoomedPixels(gDisplays[i].DspX), label->y());
}

void DisplayTextPanel::fillFontAndColour(int i)
{
    const DisplayRec &record = gDisplays[i];
    m_controls.txtFont->setText(record.DspFont.section(QLatin1Char(','), 0, 0));
    // A face name longer than the box shows its start.
    m_controls.txtFont->setCursorPosition(0);
    m_controls.txtFont->setToolTip(record.DspFont);
    m_controls.cmdColor->showColourString(record.DspColor);
}

void DisplayTextPanel::emptyFontAndColour()
{
    m_controls.txtFont->setText(QString());
    m_controls.txtFont->setToolTip(QString());
    m_controls.cmdColor->showBlack();
}

void DisplayTextPanel::cbxDisplay_Click()
{
    const int i = display();
    if (i < 0)
        return;
    // Ticking or clearing the box runs its handler, which marks the skin.
    m_controls.chkUsed->setChecked(vb::isTrue(gDisplays[i].DspUsed));
    if (vb::isTrue(gDisplays[i].DspUsed)) {
        if (QLabel *label = previewLabel(i))
            label->raise();
        fillFontAndColour(i);
        m_controls.txtX->setText(QString::number(gDisplays[i].DspX));
        m_controls.txtY->setText(QString::number(gDisplays[i].DspY));
        m_controls.txtDimMax->setText(QString::number(gDisplays[i].DspMaxWidth));
    } else {
        emptyFontAndColour();
        m_controls.txtX->setText(QString());
        m_controls.txtY->setText(QString());
        m_controls.txtDimMax->setText(QString());
    }
}

void DisplayTextPanel::chkUsed_Click()
{
    const int i = display();
    if (i < 0) {
        m_controls.chkUsed->setChecked(false);
        return;
    }
    const bool used = m_controls.chkUsed->isChecked();
    DisplayRec &record = gDisplays[i];
    record.DspUsed = vb::fromBool(used);
    frmSkin *skin = frmSkin::loaded();
    if (QLabel *label = previewLabel(i))
        label->setVisible(used);

    if (used) {
        m_controls.txtDimMax->setText(QString::number(record.DspMaxWidth));
        if (skin)
            skin->SizeDisplayLabel(i);
        fillFontAndColour(i);
        m_controls.txtX->setText(QString::number(record.DspX));
        m_controls.txtY->setText(QString::number(record.DspY));
    } else {
        m_controls.txtDimMax->setText(QString());
        emptyFontAndColour();
        m_controls.txtX->setText(QString());
        m_controls.txtY->setText(QString());
    }
    if (m_useApplied)
        m_useApplied(used);
    if (m_statusText && used) {
        if (QLabel *label = previewLabel(i))
            label->raise();
    }
    SetSkinChanged();
}

void DisplayTextPanel::cmdColor_Click()
{
    if (!gateOpen())
        return;
    const int i = display();
    const QString colour = m_controls.cmdColor->choose();
    if (colour.isEmpty())
        return;
    gDisplays[i].DspColor = colour;
    if (frmSkin *skin = frmSkin::loaded())
        skin->ApplyDisplayColor(i);
    SetSkinChanged();
}

void DisplayTextPanel::cmdFont_Click()
{
    if (!gateOpen())
        return;
    const int i = display();
    const skinformat::FontString current = skinformat::parseFontString(m_controls.txtFont->toolTip());
    if (!ShowFontDialog(m_controls.cmdFont->window(), current.face, current.style.bold, current.style.italic,
            current.style.underline, false, 0, current.size, FontDialogFlags))
        return;
    m_controls.txtFont->setText(gFontName);
    m_controls.txtFont->setCursorPosition(0);
    const QString font
        = skinformat::fontString(gFontName, gFontSize, { gFontBold, gFontItalic, gFontUnderline });
    m_controls.txtFont->setToolTip(font);
    gDisplays[i].DspFont = font;
    if (frmSkin *skin = frmSkin::loaded()) {
        skin->ApplyDisplayFont(i);
        skin->SizeDisplayLabel(i);
    }
    keepLabelLeft(i);
    SetSkinChanged();
}

void DisplayTextPanel::txtDimMax_Change()
{
    if (!gateOpen()) {
        // The status text's box, and the list's box while nothing is selected,
        // keep their text; the box of a listed display that is not used empties.
        if (!m_statusText && display() >= 0)
            m_controls.txtDimMax->setText(QString());
        return;
    }
    const int i = display();
    gDisplays[i].DspMaxWidth = m_controls.txtDimMax->normalize();
    if (frmSkin *skin = frmSkin::loaded())
        skin->SizeDisplayLabel(i);
    keepLabelLeft(i);
    SetSkinChanged();
}

void DisplayTextPanel::txtX_Change()
{
    positionChanged(m_controls.txtX, &DisplayRec::DspX);
}

void DisplayTextPanel::txtY_Change()
{
    positionChanged(m_controls.txtY, &DisplayRec::DspY);
}

void DisplayTextPanel::positionChanged(CoordinateEdit *box, int32_t DisplayRec::*field)
{
    if (!gateOpen()) {
        box->setText(QString());
        return;
    }
    const int i = display();
    gDisplays[i].*field = box->normalize();
    if (QLabel *label = previewLabel(i))
        label->move(frmSkin::ZoomedPixels(gDisplays[i].DspX), frmSkin::ZoomedPixels(gDisplays[i].DspY));
    SetSkinChanged();
}

void DisplayTextPanel::showDocument()
{
    if (m_statusText)
        m_controls.chkUsed->setChecked(vb::isTrue(gDisplays[StatusText].DspUsed));
}
