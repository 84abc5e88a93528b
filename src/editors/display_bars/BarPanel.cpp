#include "editors/display_bars/BarPanel.h"

#include "skin/Module.h"
#include "preview/SkinButtons.h"
#include "skin/SkinChange.h"
#include "skin/SkinFormat.h"
#include "widgets/Transparent.h"
#include "editors/frmSelectFile.h"
#include "preview/frmSkin.h"
#include "editors/CoordinateEdit.h"
#include "editors/display_bars/ColorSwatch.h"
#include "editors/ToolWindowLayout.h"
#include "widgets/WindowTexts.h"
#include "lang/Locale.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/VbRuntime.h"
#include "resources/BuiltinTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {
// Offsets of the colours and the position frames from the style frame, in twips.
constexpr int LowerFramesTop = 2040;
constexpr int PosSizeFrameLeft = 2160;

// The groups of bar kinds: plain bars drawn from colours, bitmap bars of one
// picture and button bars whose images are named like button images.
enum class Group { None, Plain, Bitmap, Button };

Group groupOf(int kind)
{
    if (kind == 0 || kind == 1)
        return Group::Plain;
    if (kind == 2 || kind == 3)
        return Group::Bitmap;
    if (kind == 4 || kind == 5)
        return Group::Button;
    return Group::None;
}

constexpr int ButtonHorizontal = 4;
constexpr int ButtonVertical = 5;

// A refused image choice: a critical box titled "Attention".
void refuse(const QString &prompt)
{
    dialogs::msgBox(prompt, dialogs::vbCritical | dialogs::vbOKOnly, Message(13003));
}

} // namespace

BarPanel::BarPanel(QWidget *window, int index, int leftTwips, int topTwips)
    : QObject(window)
    , m_index(index)
{
    setObjectName(QStringLiteral("BarPanel_%1").arg(index));
    createStyleFrame(window, leftTwips, topTwips);
    createColorFrame(window, leftTwips, topTwips + LowerFramesTop);
    createPosSizeFrame(window, leftTwips + PosSizeFrameLeft, topTwips + LowerFramesTop);
    connectHandlers();
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

void BarPanel::applyTexts(const WindowTexts &texts, int styleKey, int styleId, int firstKey, int firstId)
{
    setTexts(
        texts.text(styleKey, styleId), [&](int item) { return texts.text(firstKey + item, firstId + item); });
}

// --- Editing ---

void BarPanel::connectHandlers()
{
    connect(cbxBarType, &QComboBox::currentIndexChanged, this, &BarPanel::cbxBarType_Click);
    connect(chkBarUsed, &QCheckBox::toggled, this, &BarPanel::chkBarUsed_Click);
    connect(chkBorder, &QCheckBox::toggled, this, &BarPanel::chkBorder_Click);
    connect(chkTransparentBG, &QCheckBox::toggled, this, &BarPanel::chkTransparentBG_Click);
    connect(cmdBorderColor, &QPushButton::clicked, this, &BarPanel::cmdBorderColor_Click);
    connect(cmdMouseOverColor, &QPushButton::clicked, this, &BarPanel::cmdMouseOverColor_Click);
    connect(cmdForeColor, &QPushButton::clicked, this, &BarPanel::cmdForeColor_Click);
    connect(cmdBackColor, &QPushButton::clicked, this, &BarPanel::cmdBackColor_Click);
    connect(cmdBrowseImageBar, &QPushButton::clicked, this, &BarPanel::cmdBrowseImageBar_Click);
    connect(txtPosSizeLeft, &QLineEdit::textChanged, this, &BarPanel::txtPosSizeLeft_Change);
    connect(txtPosSizeTop, &QLineEdit::textChanged, this, &BarPanel::txtPosSizeTop_Change);
    connect(txtPosSizeWidth, &QLineEdit::textChanged, this, &BarPanel::txtPosSizeWidth_Change);
    connect(txtPosSizeHeight, &QLineEdit::textChanged, this, &BarPanel::txtPosSizeHeight_Change);
    const auto open = [this] { return boxesOpen(); };
    for (CoordinateEdit *box : { txtPosSizeLeft, txtPosSizeTop, txtPosSizeWidth, txtPosSizeHeight })
        box->setGate(open);
}

BarRec &BarPanel::bar() const
{
    return gBars[m_index];
}

int BarPanel::kind() const
{
    return cbxBarType->currentIndex();
}

bool BarPanel::boxesOpen() const
{
    return vb::isTrue(bar().BarUsed) && kind() >= 0;
}

bool BarPanel::plainInUse() const
{
    return vb::isTrue(bar().BarUsed) && groupOf(kind()) == Group::Plain;
}

QLabel *BarPanel::previewLabel() const
{
    frmSkin *skin = frmSkin::loaded();
    return skin ? skin->lblSkinBar[m_index] : nullptr;
}

PictureBox *BarPanel::previewPicture() const
{
    frmSkin *skin = frmSkin::loaded();
    return skin ? skin->pctSkinBar[m_index] : nullptr;
}

void BarPanel::placeLabel() const
{
    if (QLabel *label = previewLabel()) {
        const BarRec &b = bar();
        label->setGeometry(frmSkin::ZoomedPixels(b.BarLeft), frmSkin::ZoomedPixels(b.BarTop),
            frmSkin::ZoomedPixels(std::max<int32_t>(b.BarWidth, 0)),
            frmSkin::ZoomedPixels(std::max<int32_t>(b.BarHeight, 0)));
    }
}

void BarPanel::placePicture() const
{
    if (PictureBox *picture = previewPicture())
        picture->move(frmSkin::ZoomedPixels(bar().BarLeft), frmSkin::ZoomedPixels(bar().BarTop));
}

void BarPanel::showBlackSwatches()
{
    for (ColorSwatch *swatch : { cmdBorderColor, cmdMouseOverColor, cmdForeColor, cmdBackColor })
        swatch->showBlack();
}

void BarPanel::showImagePath(const QString &path)
{
    txtImageBar->setText(path);
    txtImageBar->setToolTip(path);
}

void BarPanel::showDocument()
{
    const BarRec &b = bar();
    chkBarUsed->setChecked(vb::isTrue(b.BarUsed));
    const QString folder = AddBackslash(gSkinFolder);
    const Group group = groupOf(b.BarKind);
    QString path;
    if (!b.BarImage.isEmpty() && group == Group::Bitmap)
        path = folder + b.BarImage;
    else if (!b.BarImage.isEmpty() && group == Group::Button)
        path = skinformat::buttonImagePath(folder, b.BarImage, gButtonExt);
    showImagePath(path);
    if (PictureBox *picture = previewPicture(); picture && !path.isEmpty() && picture->image().isNull())
        vb::resumeNext([&] { LoadSkinPicture(picture, path, group == Group::Button); });
    if (!vb::isTrue(b.BarUsed))
        return;
    // The kind handler is the panel's refresh: it must run also when the list
    // already shows the kind.
    if (cbxBarType->currentIndex() == b.BarKind)
        cbxBarType_Click();
    else
        cbxBarType->setCurrentIndex(b.BarKind);
}

void BarPanel::cbxBarType_Click()
{
    BarRec &b = bar();
    const int k = kind();
    const Group previous = groupOf(b.BarKind);
    QLabel *label = previewLabel();
    PictureBox *picture = previewPicture();

    placeLabel();
    placePicture();
    if (label)
        label->raise();
    if (picture)
        picture->raise();

    const Group group = groupOf(k);
    const auto forgetImage = [&] {
        if (picture) {
            MakeWindowRegion(picture, false);
            picture->setPicture(QImage());
        }
        showImagePath(QString());
        b.BarImage.clear();
    };
    if (group == Group::Plain) {
        if (previous != Group::Plain) {
            if (picture)
                picture->hide();
            forgetImage();
        }
        if (label)
            label->setVisible(chkBarUsed->isChecked());
        if (vb::isTrue(b.BarUsed)) {
            cmdBorderColor->showColourString(b.BarBorderColor);
            cmdMouseOverColor->showColourString(b.BarMouseOverColor);
            cmdForeColor->showColourString(b.BarColor);
            cmdBackColor->showColourString(b.BarBackColor);
            if (label)
                frmSkin::SetBarLabelColor(label, cmdBackColor->backColor());
        }
        chkBorder->setChecked(vb::isTrue(b.BarBorder));
        chkTransparentBG->setChecked(vb::isTrue(b.BarTransparentBg));
    } else if (group != Group::None) {
        if (previous != group) {
            if (label)
                label->hide();
            forgetImage();
        }
        if (picture)
            picture->setVisible(!txtImageBar->text().isEmpty() && chkBarUsed->isChecked());
        showBlackSwatches();
        chkBorder->setChecked(false);
        chkTransparentBG->setChecked(false);
    }

    if (k >= 0)
        b.BarKind = int16_t(k);
    txtPosSizeLeft->setText(QString::number(b.BarLeft));
    txtPosSizeTop->setText(QString::number(b.BarTop));
    txtPosSizeWidth->setText(QString::number(b.BarWidth));
    txtPosSizeHeight->setText(QString::number(b.BarHeight));

    // Sizes that the image gives are locked; a button bar keeps the length typed.
    txtPosSizeWidth->setReadOnly(group != Group::Plain && k != ButtonHorizontal);
    txtPosSizeHeight->setReadOnly(group != Group::Plain && k != ButtonVertical);
    SetSkinChanged();
}

void BarPanel::chkBarUsed_Click()
{
    BarRec &b = bar();
    const bool used = chkBarUsed->isChecked();
    b.BarUsed = vb::fromBool(used);
    if (kind() < 0) {
        // Only whether Save writes the bar changes.
        SetSkinChanged();
        return;
    }
    if (used) {
        cbxBarType_Click();
    } else {
        // Clearing keeps the record; the writer leaves the bar out meanwhile.
        chkBorder->setChecked(false);
        chkTransparentBG->setChecked(false);
        showBlackSwatches();
        for (CoordinateEdit *box : { txtPosSizeLeft, txtPosSizeWidth, txtPosSizeTop, txtPosSizeHeight })
            box->setText(QString());
    }
    if (groupOf(kind()) == Group::Plain) {
        placeLabel();
        if (QLabel *label = previewLabel())
            label->setVisible(used);
    } else if (!txtImageBar->text().isEmpty()) {
        placePicture();
        if (PictureBox *picture = previewPicture())
            picture->setVisible(used);
    }
    // Leaving the bar out changes what Save writes.
    if (!used)
        SetSkinChanged();
}

void BarPanel::chkBorder_Click()
{
    if (!plainInUse()) {
        chkBorder->setChecked(false);
        return;
    }
    const bool border = chkBorder->isChecked();
    if (QLabel *label = previewLabel())
        label->setFrameShape(border ? QFrame::Box : QFrame::NoFrame);
    bar().BarBorder = vb::fromBool(border);
    SetSkinChanged();
}

void BarPanel::chkTransparentBG_Click()
{
    if (!plainInUse()) {
        chkTransparentBG->setChecked(false);
        return;
    }
    const bool transparent = chkTransparentBG->isChecked();
    if (QLabel *label = previewLabel()) {
        label->setAutoFillBackground(!transparent);
        if (!transparent)
            frmSkin::SetBarLabelColor(label, cmdBackColor->backColor());
    }
    bar().BarTransparentBg = vb::fromBool(transparent);
    SetSkinChanged();
}

void BarPanel::colour_Click(ColorSwatch *swatch, QString BarRec::*field)
{
    if (!plainInUse())
        return;
    const QString colour = swatch->choose();
    if (colour.isEmpty())
        return;
    bar().*field = colour;
    if (swatch == cmdBackColor) {
        if (QLabel *label = previewLabel())
            frmSkin::SetBarLabelColor(label, swatch->backColor());
    }
    SetSkinChanged();
}

void BarPanel::cmdBorderColor_Click()
{
    colour_Click(cmdBorderColor, &BarRec::BarBorderColor);
}

void BarPanel::cmdMouseOverColor_Click()
{
    colour_Click(cmdMouseOverColor, &BarRec::BarMouseOverColor);
}

void BarPanel::cmdForeColor_Click()
{
    colour_Click(cmdForeColor, &BarRec::BarColor);
}

void BarPanel::cmdBackColor_Click()
{
    colour_Click(cmdBackColor, &BarRec::BarBackColor);
}

QString BarPanel::buttonImageOf(const QString &pickedName, QString &baseName) const
{
    baseName = skinformat::buttonBaseName(pickedName, gButtonExt);
    if (baseName.isEmpty()) {
        refuse(Message(13034) + QLatin1Char('\n') + Message(13035));
        return QString();
    }
    const QString path = skinformat::buttonImagePath(AddBackslash(gSkinFolder), baseName, gButtonExt);
    if (!fs::fileExists(path)) {
        refuse(Message(13036) + path + Message(13037) + QLatin1Char('\n') + Message(13038));
        return QString();
    }
    return path;
}

void BarPanel::cmdBrowseImageBar_Click()
{
    BarRec &b = bar();
    const int k = kind();
    if (!vb::isTrue(b.BarUsed) || k < 2)
        return;
    const bool buttonKind = groupOf(k) == Group::Button;
    // A bitmap bar is one bitmap file; a button bar's images follow the buttons' extension.
    if (!ShowSelectFile(cmdBrowseImageBar->window(), gSkinFolder,
            buttonKind ? gButtonExt : QStringLiteral("bmp"), b.BarImage, UIString(12007)))
        return;

    QString baseName;
    const QString path = buttonKind ? buttonImageOf(gSelFileName, baseName) : gSelFilePath;
    if (path.isEmpty())
        return;
    if (skinformat::samePath(path, AddBackslash(gSkinFolder) + gMainImage)) {
        refuse(Message(13043) + QLatin1Char('\n') + Message(13044));
        return;
    }

    PictureBox *picture = previewPicture();
    if (picture) {
        try {
            LoadSkinPicture(picture, path, buttonKind);
        } catch (const vb::Error &error) {
            ShowPictureError(error);
            return;
        }
    }
    showImagePath(path);
    placePicture();
    b.BarImage = buttonKind ? baseName : gSelFileName;
    if (chkBarUsed->isChecked()) {
        if (picture)
            picture->show();
    } else {
        if (QLabel *label = previewLabel())
            label->hide();
        if (picture)
            picture->hide();
    }
    if (picture) {
        // The picture's own size in skin pixels; a button bar keeps the length typed.
        if (k != ButtonHorizontal) {
            b.BarWidth = int32_t(vb::roundHalfEven(double(picture->width()) / gZoom));
            txtPosSizeWidth->setText(QString::number(b.BarWidth));
        }
        if (k != ButtonVertical) {
            b.BarHeight = int32_t(vb::roundHalfEven(double(picture->height()) / gZoom));
            txtPosSizeHeight->setText(QString::number(b.BarHeight));
        }
    }
    SetSkinChanged();
}

void BarPanel::posSizeChanged(CoordinateEdit *box, int32_t BarRec::*field)
{
    if (!boxesOpen()) {
        box->setText(QString());
        return;
    }
    bar().*field = box->normalize();
    // Both controls stand at the bar's position; a picture keeps its image's
    // size, so only the label takes the size.
    placeLabel();
    placePicture();
    SetSkinChanged();
}

void BarPanel::txtPosSizeLeft_Change()
{
    posSizeChanged(txtPosSizeLeft, &BarRec::BarLeft);
}

void BarPanel::txtPosSizeTop_Change()
{
    posSizeChanged(txtPosSizeTop, &BarRec::BarTop);
}

void BarPanel::txtPosSizeWidth_Change()
{
    posSizeChanged(txtPosSizeWidth, &BarRec::BarWidth);
}

void BarPanel::txtPosSizeHeight_Change()
{
    posSizeChanged(txtPosSizeHeight, &BarRec::BarHeight);
}
