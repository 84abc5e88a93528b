#include "core/frmAbout.h"

#include "core/ShellFailure.h"
#include "widgets/PictureBox.h"
#include "lang/Locale.h"

#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPolygonF>
#include <QPushButton>

namespace {

// The program's version, shown as "v1.00".
constexpr int kMajor = 1;
constexpr int kMinor = 0;
constexpr int kRevision = 0;

// The window's client area with the history shown, in pixels.
constexpr int kWidth = 305;
constexpr int kFullHeight = 465;

const char *const kProgramName = "TVX_MORVANE";
const char *const kCopyrightSuffix = " 2024 The TVX_Morvane developers";
const char *const kAuthorSuffix = " The TVX_Morvane developers";
const char *const kHomePage = "https://www.example.org/tvx_morvane/";

const char *const kHistory
    = "v1.00\n"
      "- Window skins and full-screen skins: create, open, edit, save.\n"
      "- Preview at zoom 1 or 2 with buttons, display texts and bars that can be dragged.\n"
      "- Old one-file skins are converted when they are opened.\n"
      "- TVK archives: create, extract, and test a skin in the player.\n"
      "- Button texts picked from the player's language file.\n"
      "- Every text of the editor can be replaced by a language file.\n";

// The picture beside the description: 70 x 70 pixels in 24-bit colour, a
// screen showing a play symbol under a brush stroke.
QImage authorPicture()
{
    QImage image(70, 70, QImage::Format_RGB888);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, 0, 70);
    ground.setColorAt(0, QColor(0x20, 0x40, 0x90));
    ground.setColorAt(1, QColor(0x08, 0x10, 0x30));
    p.fillRect(image.rect(), ground);
    p.setPen(QPen(QColor(0xC0, 0xC8, 0xD8), 3));
    p.setBrush(QColor(0x10, 0x18, 0x28));
    p.drawRoundedRect(QRectF(8, 10, 54, 40), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0xC0, 0x60));
    p.drawPolygon(QPolygonF { QPointF(28, 20), QPointF(45, 30), QPointF(28, 40) });
    p.setBrush(QColor(0xC0, 0xC8, 0xD8));
    p.drawRect(QRectF(31, 50, 8, 6));
    p.drawRoundedRect(QRectF(20, 56, 30, 4), 2, 2);
    QPen stroke(QColor(0xFF, 0xB0, 0x00), 4);
    stroke.setCapStyle(Qt::RoundCap);
    p.setPen(stroke);
    p.drawLine(QPointF(48, 8), QPointF(64, 24));
    return image;
}

} // namespace

frmAbout::frmAbout(QWidget *owner)
    : QDialog(owner)
{
    createControls();
    connectHandlers();
    Form_Load();
}

void frmAbout::createControls()
{
    setObjectName(QStringLiteral("frmAbout"));
    setFixedSize(kWidth, kFullHeight);

    lblTitle = new QLabel(QString::fromLatin1(kProgramName), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(16, 8, 241, 25);
    QFont titleFont(QStringLiteral("MS Sans Serif"));
    titleFont.setPointSizeF(13.5);
    lblTitle->setFont(titleFont);

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setGeometry(264, 16, 33, 25);
    QFont versionFont(QStringLiteral("MS Sans Serif"));
    versionFont.setPointSizeF(8.25);
    versionFont.setBold(true);
    lblVersion->setFont(versionFont);

    pctAuthor = new PictureBox(this);
    pctAuthor->setObjectName(QStringLiteral("pctAuthor"));
    pctAuthor->move(16, 44);
    pctAuthor->setPicture(authorPicture());

    lblComment = new QLabel(this);
    lblComment->setObjectName(QStringLiteral("lblComment"));
    lblComment->setGeometry(100, 44, 189, 70);
    lblComment->setWordWrap(true);
    lblComment->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblCopyright = new QLabel(this);
    lblCopyright->setObjectName(QStringLiteral("lblCopyright"));
    lblCopyright->setGeometry(16, 122, 273, 32);
    lblCopyright->setWordWrap(true);

    lblAuthor = new QLabel(this);
    lblAuthor->setObjectName(QStringLiteral("lblAuthor"));
    lblAuthor->setGeometry(16, 156, 273, 24);
    lblAuthor->setWordWrap(true);

    lblCheckVersion = new QLabel(this);
    lblCheckVersion->setObjectName(QStringLiteral("lblCheckVersion"));
    lblCheckVersion->setGeometry(16, 192, 273, 17);
    QPalette linkPalette = lblCheckVersion->palette();
    linkPalette.setColor(QPalette::WindowText, Qt::blue);
    lblCheckVersion->setPalette(linkPalette);
    lblCheckVersion->setCursor(Qt::PointingHandCursor);

    cmdHistory = new QPushButton(this);
    cmdHistory->setObjectName(QStringLiteral("cmdHistory"));
    cmdHistory->setGeometry(0, 220, kWidth, 21);
    cmdHistory->setDefault(true);

    txtHistory = new QPlainTextEdit(this);
    txtHistory->setObjectName(QStringLiteral("txtHistory"));
    txtHistory->setGeometry(0, 240, kWidth, 225);
    txtHistory->setReadOnly(true);
    txtHistory->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtHistory->setPlainText(QString::fromLatin1(kHistory));
}

void frmAbout::connectHandlers()
{
    connect(cmdHistory, &QPushButton::clicked, this, &frmAbout::cmdHistory_Click);
    // A label has no click of its own: the release of the left button over it is one.
    lblCheckVersion->installEventFilter(this);
}

void frmAbout::Form_Load()
{
    const LangReader lang;
    const QString section = QStringLiteral("About");
    setWindowTitle(lang.text(section, 1, 2001));
    lblComment->setText(lang.text(section, 2, 2002));
    lblCopyright->setText(lang.text(section, 3, 2003) + QLatin1String(kCopyrightSuffix));
    lblAuthor->setText(lang.text(section, 4, 2004) + QLatin1String(kAuthorSuffix));
    lblCheckVersion->setText(lang.text(section, 5, 2005));
    cmdHistory->setText(lang.text(section, 6, 2006));

    lblVersion->setText(VersionLine(kMajor, kMinor, kRevision));

    // The box opens with the history hidden: one run of the toggle from "shown".
    m_historyHidden = false;
    cmdHistory_Click();
}

void frmAbout::cmdHistory_Click()
{
    m_historyHidden = !m_historyHidden;
    // The history box never moves: the window's lower edge goes above or below it.
    const int change = m_historyHidden ? -txtHistory->height() : txtHistory->height();
    setFixedSize(width(), height() + change);
}

void frmAbout::lblCheckVersion_Click()
{
    OpenWithShell(this, QString::fromLatin1(kHomePage));
}

QString frmAbout::VersionLine(int major, int minor, int revision)
{
    return QLatin1Char('v') + QString::number(major) + QLatin1Char('.') + QString::number(minor)
        + QString::number(revision);
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblCheckVersion && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton
            && lblCheckVersion->rect().contains(mouse->position().toPoint())) {
            lblCheckVersion_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
