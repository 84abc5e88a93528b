#include "editors/display_bars/BarPanel.h"

#include "editors/CoordinateEdit.h"
#include "editors/display_bars/ColorSwatch.h"
#include "editors/ToolWindowLayout.h"
#include "lang/WindowTexts.h"
#include "skin/Module.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
// Offsets of the colours and the position frames from the style frame, in twips.
constexpr int LowerFramesTop = 2040;
constexpr int PosSizeFrameLeft = 2160;
} // namespace

BarPanel::BarPanel(QWidget *window, int index, int leftTwips, int topTwips)
    : QObject(window)
    , m_index(index)
{
    setObjectName(QStringLiteral("BarPanel_%1").arg(index));
    createStyleFrame(window, leftTwips, topTwips);
    createColorFrame(window, leftTwips, topTwips + LowerFramesTop);
    createPosSizeFrame(window, leftTwips + PosSizeFrameLeft, topTwips + LowerFramesTop);
}

BarPanel::~BarPanel() = default;

QString BarPanel::elementName(const char *name) const
{
    return QLatin1String(name) + QLatin1Char('_') + QString::number(m_index);
}

template <typename T> T *BarPanel::make(QWidget *parent, const char *name)
{
    return makeControl<T>(parent, elementName(name), QRect());
}

void BarPanel::createStyleFrame(QWidget *window, int leftTwips, int topTwips)
{
    fmBarStyle = make<QGroupBox>(window, "fmBarStyle");
    fmBarStyle->setGeometry(twipsRect(leftTwips, topTwips, 4335, 1935));
    fmBarStyle->setEnabled(false);

    pctBarStyle = make<QWidget>(fmBarStyle, "pctBarStyle");
    pctBarStyle->setGeometry(twipsRect(60, 240, 4215, 1635));

    lblBarType = make<QLabel>(pctBarStyle, "lblBarType");
    lblBarType->setGeometry(twipsRect(0, 60, 600, 255));
    // List position k is BarKind k; no kind is chosen yet.
    cbxBarType
        = makeFixedList(pctBarStyle, elementName("cbxBarType"), twipsRect(660, 0, 2280, 315), KindCount);
    // With a buddy a label takes "&" as an access key, as the design's labels do.
    lblBarType->setBuddy(cbxBarType);
    chkBarUsed = make<QCheckBox>(pctBarStyle, "chkBarUsed");
    chkBarUsed->setGeometry(twipsRect(3060, 30, 1155, 255));
    chkBarUsed->setChecked(true);

    lblImageBar = make<QLabel>(pctBarStyle, "lblImageBar");
    lblImageBar->setGeometry(twipsRect(0, 540, 645, 255));
    txtImageBar = make<QLineEdit>(pctBarStyle, "txtImageBar");
    txtImageBar->setGeometry(twipsRect(660, 480, 2280, 315));
    txtImageBar->setReadOnly(true);
    lblImageBar->setBuddy(txtImageBar);
    cmdBrowseImageBar = make<QPushButton>(pctBarStyle, "cmdBrowseImageBar");
    cmdBrowseImageBar->setGeometry(twipsRect(3060, 465, 1095, 345));

    chkBorder = make<QCheckBox>(pctBarStyle, "chkBorder");
    chkBorder->setGeometry(twipsRect(0, 1020, 1500, 255));
    chkTransparentBG = make<QCheckBox>(pctBarStyle, "chkTransparentBG");
    chkTransparentBG->setGeometry(twipsRect(1560, 1020, 2655, 255));
}

void BarPanel::createColorFrame(QWidget *window, int leftTwips, int topTwips)
{
    fmBarColor = make<QGroupBox>(window, "fmBarColor");
    fmBarColor->setGeometry(twipsRect(leftTwips, topTwips, 2055, 1935));
    fmBarColor->setEnabled(false);

    // The frame is narrow: the labels take all the width the small swatches
    // at the right edge leave them, so that their texts are not cut off.
    const auto row = [this](const char *labelName, const char *swatchName, int rowIndex, QLabel *&label,
                         ColorSwatch *&swatch) {
        const int top = 300 + rowIndex * 390;
        label = make<QLabel>(fmBarColor, labelName);
        label->setGeometry(twipsRect(60, top, 1710, 255));
        swatch = make<ColorSwatch>(fmBarColor, swatchName);
        swatch->setGeometry(twipsRect(1800, top - 15, 225, 285));
        label->setBuddy(swatch);
    };
    row("lblBorderColor", "cmdBorderColor", 0, lblBorderColor, cmdBorderColor);
    row("lblMouseOverColor", "cmdMouseOverColor", 1, lblMouseOverColor, cmdMouseOverColor);
    row("lblForeColor", "cmdForeColor", 2, lblForeColor, cmdForeColor);
    row("lblBackColor", "cmdBackColor", 3, lblBackColor, cmdBackColor);
}

void BarPanel::createPosSizeFrame(QWidget *window, int leftTwips, int topTwips)
{
    fmPosSize = make<QGroupBox>(window, "fmPosSize");
    fmPosSize->setGeometry(twipsRect(leftTwips, topTwips, 2175, 1935));
    fmPosSize->setEnabled(false);

    const auto cell = [this](const char *labelName, const char *boxName, int column, int rowIndex,
                          QLabel *&label, CoordinateEdit *&box) {
        const int left = 120 + column * 1020;
        const int top = 300 + rowIndex * 780;
        label = make<QLabel>(fmPosSize, labelName);
        label->setGeometry(twipsRect(left, top, 915, 255));
        box = make<CoordinateEdit>(fmPosSize, boxName);
        // Positions (left column) may be negative, sizes (right column) not.
        box->setMinusAllowed(column == 0);
        box->setGeometry(twipsRect(left, top + 255, 915, 315));
        label->setBuddy(box);
    };
    cell("lblPosSizeLeft", "txtPosSizeLeft", 0, 0, lblPosSizeLeft, txtPosSizeLeft);
    cell("lblPosSizeWidth", "txtPosSizeWidth", 1, 0, lblPosSizeWidth, txtPosSizeWidth);
    cell("lblPosSizeTop", "txtPosSizeTop", 0, 1, lblPosSizeTop, txtPosSizeTop);
    cell("lblPosSizeHeight", "txtPosSizeHeight", 1, 1, lblPosSizeHeight, txtPosSizeHeight);
}

void BarPanel::enableFrames()
{
    fmBarStyle->setEnabled(true);
    fmBarColor->setEnabled(true);
    fmPosSize->setEnabled(true);
}

template <typename TextOf> void BarPanel::setTexts(const QString &styleText, TextOf itemText)
{
    SetLangCaption(fmBarStyle, styleText);
    SetLangCaption(lblBarType, itemText(0));
    for (int kind = 0; kind < KindCount; ++kind)
        SetLangListEntry(cbxBarType, kind, itemText(1 + kind));
    SetLangCaption(chkBarUsed, itemText(7));
    SetLangCaption(lblImageBar, itemText(8));
    SetLangCaption(cmdBrowseImageBar, itemText(9));
    SetLangCaption(chkBorder, itemText(10));
    SetLangCaption(chkTransparentBG, itemText(11));
    SetLangCaption(fmBarColor, itemText(12));
    SetLangCaption(lblBorderColor, itemText(13));
    SetLangCaption(lblMouseOverColor, itemText(14));
    SetLangCaption(lblForeColor, itemText(15));
    SetLangCaption(lblBackColor, itemText(16));
    SetLangCaption(fmPosSize, itemText(17));
    SetLangCaption(lblPosSizeLeft, itemText(18));
    SetLangCaption(lblPosSizeWidth, itemText(19));
    SetLangCaption(lblPosSizeTop, itemText(20));
    SetLangCaption(lblPosSizeHeight, itemText(21));
}

void BarPanel::showDocument()
{
    const BarRec &bar = gBars[m_index];
    cbxBarType->setCurrentIndex(bar.BarKind >= 0 && bar.BarKind < KindCount ? bar.BarKind : -1);
    chkBarUsed->setChecked(bar.BarUsed != 0);
    txtImageBar->setText(bar.BarImage);
    chkBorder->setChecked(bar.BarBorder != 0);
    chkTransparentBG->setChecked(bar.BarTransparentBg != 0);
    txtPosSizeLeft->setText(QString::number(bar.BarLeft));
    txtPosSizeTop->setText(QString::number(bar.BarTop));
    txtPosSizeWidth->setText(QString::number(bar.BarWidth));
    txtPosSizeHeight->setText(QString::number(bar.BarHeight));
}

void BarPanel::applyTexts(const WindowTexts &texts, int styleKey, int styleId, int firstKey, int firstId)
{
    setTexts(texts.text(styleKey, styleId), [&](int item) { return texts.text(firstKey + item, firstId + item); });
}
