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
    , c(controls)
    , m_selector(selector)
{
    connectHandlers();
    connect(m_selector, &QComboBox::currentIndexChanged, this, &DisplayTextPanel::cbxDisplay_Click);
}

DisplayTextPanel::DisplayTextPanel(
    QObject *parent, const Controls &controls, std::function<void(bool used)> useApplied)
    : QObject(parent)
    , c(controls)
    , m_useApplied(std::move(useApplied))
    , m_statusText(true)
{
    connectHandlers();
}

void DisplayTextPanel::connectHandlers()
{
    const auto gate = [this] { return gateOpen(); };
    for (CoordinateEdit *box : { c.txtDimMax, c.txtX, c.txtY })
        box->setGate(gate);
    c.txtDimMax->setMinusAllowed(false);
    connect(c.chkUsed, &QCheckBox::toggled, this, &DisplayTextPanel::chkUsed_Click);
    connect(c.cmdColor, &QPushButton::clicked, this, &DisplayTextPanel::cmdColor_Click);
    connect(c.cmdFont, &QPushButton::clicked, this, &DisplayTextPanel::cmdFont_Click);
    connect(c.txtDimMax, &QLineEdit::textChanged, this, &DisplayTextPanel::txtDimMax_Change);
    connect(c.txtX, &QLineEdit::textChanged, this, &DisplayTextPanel::txtX_Change);
    connect(c.txtY, &QLineEdit::textChanged, this, &DisplayTextPanel::txtY_Change);
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
    c.txtFont->setText(record.DspFont.section(QLatin1Char(','), 0, 0));
    // A face name longer than the box shows its start.
    c.txtFont->setCursorPosition(0);
    c.txtFont->setToolTip(record.DspFont);
    c.cmdColor->showColourString(record.DspColor);
}

void DisplayTextPanel::emptyFontAndColour()
{
    c.txtFont->setText(QString());
    c.txtFont->setToolTip(QString());
    c.cmdColor->showBlack();
}

void DisplayTextPanel::cbxDisplay_Click()
{
    const int i = display();
    if (i < 0)
        return;
    // Ticking or clearing the box runs its handler, which marks the skin.
    c.chkUsed->setChecked(vb::isTrue(gDisplays[i].DspUsed));
    if (vb::isTrue(gDisplays[i].DspUsed)) {
        if (QLabel *label = previewLabel(i))
            label->raise();
        fillFontAndColour(i);
        c.txtX->setText(QString::number(gDisplays[i].DspX));
        c.txtY->setText(QString::number(gDisplays[i].DspY));
        c.txtDimMax->setText(QString::number(gDisplays[i].DspMaxWidth));
    } else {
        emptyFontAndColour();
        c.txtX->setText(QString());
        c.txtY->setText(QString());
        c.txtDimMax->setText(QString());
    }
}

void DisplayTextPanel::chkUsed_Click()
{
    const int i = display();
    if (i < 0) {
        c.chkUsed->setChecked(false);
        return;
    }
    const bool used = c.chkUsed->isChecked();
    DisplayRec &record = gDisplays[i];
    record.DspUsed = vb::fromBool(used);
    frmSkin *skin = frmSkin::loaded();
    if (QLabel *label = previewLabel(i))
        label->setVisible(used);

    if (used) {
        c.txtDimMax->setText(QString::number(record.DspMaxWidth));
        if (skin)
            skin->SizeDisplayLabel(i);
        fillFontAndColour(i);
        c.txtX->setText(QString::number(record.DspX));
        c.txtY->setText(QString::number(record.DspY));
    } else {
        c.txtDimMax->setText(QString());
        emptyFontAndColour();
        c.txtX->setText(QString());
        c.txtY->setText(QString());
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
    const QString colour = c.cmdColor->choose();
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
    const skinformat::FontString current = skinformat::parseFontString(c.txtFont->toolTip());
    if (!ShowFontDialog(c.cmdFont->window(), current.face, current.style.bold, current.style.italic,
            current.style.underline, false, 0, current.size, FontDialogFlags))
        return;
    c.txtFont->setText(gFontName);
    c.txtFont->setCursorPosition(0);
    const QString font
        = skinformat::fontString(gFontName, gFontSize, { gFontBold, gFontItalic, gFontUnderline });
    c.txtFont->setToolTip(font);
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
            c.txtDimMax->setText(QString());
        return;
    }
    const int i = display();
    gDisplays[i].DspMaxWidth = c.txtDimMax->normalize();
    if (frmSkin *skin = frmSkin::loaded())
        skin->SizeDisplayLabel(i);
    keepLabelLeft(i);
    SetSkinChanged();
}

void DisplayTextPanel::txtX_Change()
{
    positionChanged(c.txtX, &DisplayRec::DspX);
}

void DisplayTextPanel::txtY_Change()
{
    positionChanged(c.txtY, &DisplayRec::DspY);
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
        c.chkUsed->setChecked(vb::isTrue(gDisplays[StatusText].DspUsed));
}
