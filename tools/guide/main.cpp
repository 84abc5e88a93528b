// Writes the skin authors' guide: the Markdown source becomes a PDF, with
// screenshots that this program takes of the editor's real windows, so that
// the pictures show the editor as it is built.
//
//     tvx_guide <guide.md> <TVX_Morvane.pdf>
//
// Run it with QT_QPA_PLATFORM=offscreen: the editor starts in a private
// program folder, answers its own dialogs and leaves nothing behind.

#include "skin/Module.h"
#include "core/frmMain.h"
#include "core/startup.h"
#include "preview/frmSkin.h"
#include "editors/ToolWindows.h"
#include "editors/buttons/frmImagesToolBar.h"
#include "editors/buttons/frmMultilanguageButtons.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPushButton>
#include <QPdfWriter>
#include <QPointer>
#include <QSignalBlocker>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextTable>

#include <cstdio>
#include <functional>

namespace {

using Shots = QHash<QString, QImage>;

// The widest a screenshot is drawn on the page, in document units.
constexpr qreal MaxImageWidth = 480;

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

// A small window skin: a main image with a display area and two buttons.
QString writeSampleSkin(const QString &folder)
{
    QDir().mkpath(folder);
    QImage main(300, 90, QImage::Format_RGB32);
    main.fill(QColor(0x30, 0x38, 0x48));
    QPainter p(&main);
    p.fillRect(QRect(10, 10, 280, 36), QColor(0x10, 0x14, 0x1C));
    p.end();
    main.save(folder + QStringLiteral("/Main.bmp"));
    const char *const names[] = { "PlayN.bmp", "StopN.bmp" };
    const QColor colours[] = { QColor(0x40, 0xB0, 0x60), QColor(0xC0, 0x50, 0x40) };
    for (int i = 0; i < 2; ++i) {
        QImage button(32, 24, QImage::Format_RGB32);
        button.fill(colours[i]);
        button.save(folder + QLatin1Char('/') + QLatin1String(names[i]));
    }
    const QString skin = folder + QStringLiteral("/Skin.ini");
    writeFile(skin,
        "[Tovix.Skin]\r\nVersion=1.00\r\n\r\n[Settings]\r\nSkinType=0\r\nMainImg=Main.bmp\r\nMainAnySape="
        "0\r\n"
        "Ext=.bmp\r\n\r\n[Buttons]\r\nNumber=2\r\nBtn1=Play,10,56,0,20;$lang.Actions.21\r\n"
        "Btn2=Stop,50,56,0,22;Stop\r\n\r\n[Display]\r\nTitle=14,14;MS Sans Serif,8,N;FFFFFF\r\n\r\n"
        "[TrackBar]\r\nPosSize=100,62,180,6\r\nKind=H\r\nTransparentBg=0\r\nBorder=1\r\n"
        "BorderColor=000000\r\nColor=40B060\r\nMouseOverColor=80E0A0\r\nBackColor=101418\r\n\r\n"
        "[GUI]\r\n\r\n[Text]\r\nAuthor=\r\nURL=\r\nDescription=A sample skin\r\n\r\n");
    return skin;
}

// A full-screen skin beside the window skin of the same folder (whose button
// extension it takes), with the same picture and buttons.
QString writeSampleFullScreenSkin(const QString &folder)
{
    const QString skin = folder + QStringLiteral("/Skinfs.ini");
    writeFile(skin,
        "[Tovix.Skin]\r\nVersion=1.00\r\n\r\n[Settings]\r\nMainImg=Main.bmp\r\nMainAnySape=0\r\n"
        "Position=B,2\r\n\r\n[Buttons]\r\nNumber=2\r\nBtn1=Play,10,56,0,20;$lang.Actions.21\r\n"
        "Btn2=Stop,50,56,0,22;Stop\r\n\r\n[Display]\r\nStatTxtAlign=L\r\n"
        "StatTxt=14,14;MS Sans Serif,8,N;FFFFFF\r\n\r\n");
    return skin;
}

// Answers every dialog as a person pressing Escape would, except that a
// question about unsaved changes is answered No, a save dialog is answered
// with *saveAs while that is set and a modal form is handed to onForm (which
// may take its picture) before it closes.
void answerDialogs(std::function<void(QDialog *)> *onForm, const QString *saveAs)
{
    dialogs::setResponder([onForm, saveAs](const dialogs::Request &request) {
        dialogs::Answer answer;
        switch (request.kind) {
        case dialogs::Request::Kind::MessageBox: {
            const int buttons = request.style & 7;
            answer.button = buttons == dialogs::vbOKOnly                             ? dialogs::vbOK
                : (buttons == dialogs::vbYesNo || buttons == dialogs::vbYesNoCancel) ? dialogs::vbNo
                                                                                     : dialogs::vbCancel;
            break;
        }
        case dialogs::Request::Kind::SaveFile:
            answer.accepted = !saveAs->isEmpty();
            answer.text = *saveAs;
            break;
        case dialogs::Request::Kind::ModalForm:
            if (*onForm && request.form)
                (*onForm)(request.form);
            break;
        default:
            break;
        }
        return answer;
    });
}

// Where the screenshots say the skin and the player lie: a skin author's own
// folders instead of the private work folder the editor really uses.
struct ShownFolder {
    QString real;
    QString shown;
};
using ShownFolders = QList<ShownFolder>;

// A text of a control and how to set it.
struct ShownText {
    QWidget *owner;
    QString text;
    std::function<void(const QString &)> set;
};

// Grabs a window as it would look with the skin in the author's folders: every
// title, box, label and list entry of the window that names a work folder
// names the shown one while the picture is taken, and gets its own text back
// afterwards. No handler runs: the controls' signals are blocked meanwhile.
QImage grabInShownFolders(QWidget *window, const ShownFolders &folders)
{
    const auto shown = [&folders](QString text) {
        for (const ShownFolder &folder : folders)
            text.replace(folder.real, folder.shown);
        return text;
    };
    QList<ShownText> texts;
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    for (QWidget *widget : widgets) {
        texts.append(
            { widget, widget->windowTitle(), [widget](const QString &t) { widget->setWindowTitle(t); } });
        if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            texts.append({ edit, edit->text(), [edit](const QString &t) { edit->setText(t); } });
        } else if (auto *label = qobject_cast<QLabel *>(widget)) {
            texts.append({ label, label->text(), [label](const QString &t) { label->setText(t); } });
        } else if (auto *list = qobject_cast<QListWidget *>(widget)) {
            for (int i = 0; i < list->count(); ++i) {
                QListWidgetItem *item = list->item(i);
                texts.append({ list, item->text(), [item](const QString &t) { item->setText(t); } });
            }
        }
    }
    texts.removeIf([&shown](const ShownText &text) { return shown(text.text) == text.text; });
    const auto write = [&texts, &shown](bool inShownFolders) {
        for (const ShownText &text : texts) {
            const QSignalBlocker blocker(text.owner);
            text.set(inShownFolders ? shown(text.text) : text.text);
        }
        settle();
    };
    write(true);
    const QImage shot = window->grab().toImage();
    write(false);
    return shot;
}

// Sends a left-button mouse event at a point of the preview's main picture to
// the element control, as the mouse over it would.
void sendMouse(QEvent::Type type, QWidget *control, QWidget *picture, QPoint inPicture)
{
    const QPoint local = control->mapFrom(picture, inPicture);
    QMouseEvent event(type, QPointF(local), QPointF(control->mapToGlobal(local)),
        type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control, &event);
    settle();
}

// The mouse pointer, which a grab leaves out, drawn with its tip at tip.
void drawPointer(QImage &image, QPoint tip)
{
    const QPoint arrow[] = { { 0, 0 }, { 0, 17 }, { 4, 13 }, { 7, 20 }, { 10, 19 }, { 7, 12 }, { 12, 12 } };
    QPolygon pointer;
    for (const QPoint &corner : arrow)
        pointer << tip + corner;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPolygon(pointer);
}

// The preview during a drag above the part of the tool window whose boxes
// follow it, on one picture.
QImage dragPicture(const QImage &preview, const QImage &boxes)
{
    constexpr int Gap = 8;
    QImage picture(
        qMax(preview.width(), boxes.width()), preview.height() + Gap + boxes.height(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, 0, preview);
    painter.drawImage(0, preview.height() + Gap, boxes);
    return picture;
}

// Drags the button "Stop" of the preview at zoom 2 to the right and takes the
// picture while the mouse is still down; then drops it there.
QImage takeDrag(const ShownFolders &folders)
{
    frmSkin *preview = frmSkin::loaded();
    auto *images = qobject_cast<frmImagesToolBar *>(toolwindows::loaded(ToolWindowId::Images));
    if (!preview || !images || !preview->pctSkinButton[2])
        return {};
    preview->pctSkinMain_Click();
    settle();
    QWidget *picture = preview->pctSkinMain;
    QWidget *stop = preview->pctSkinButton[2];
    const QPoint start = stop->mapTo(picture, stop->rect().center());
    const QPoint end = start + QPoint(24, 0);
    sendMouse(QEvent::MouseButtonPress, stop, picture, start);
    for (int step = 1; step <= 4; ++step)
        sendMouse(QEvent::MouseMove, stop, picture, start + (end - start) * step / 4);

    QWidget *frame = preview->frame();
    QImage shot = grabInShownFolders(frame, folders);
    drawPointer(shot, picture->mapTo(frame, end));
    // The button's part of the tool window: which button, and its coordinates.
    const auto inWindow
        = [images](QWidget *part) { return QRect(part->mapTo(images, QPoint()), part->size()); };
    const QRect boxes
        = inWindow(images->fmBtn).united(inWindow(images->fmBtnCoordinates)).adjusted(-4, -4, 4, 4);
    const QImage tool = grabInShownFolders(images, folders).copy(boxes);
    sendMouse(QEvent::MouseButtonRelease, stop, picture, end);
    return dragPicture(shot, tool);
}

// The picture of the main window without the empty desk on the right of and
// below its child windows (and the desk's scroll bars).
QImage cropDesk(const QImage &shot, QWidget *main)
{
    QRect used;
    for (auto *child : main->findChildren<QMdiSubWindow *>())
        if (child->isVisible())
            used |= QRect(child->mapTo(main, QPoint()), child->size());
    if (used.isEmpty())
        return shot;
    constexpr int Margin = 4;
    return shot.copy(QRect(0, 0, used.right() + 1 + Margin, used.bottom() + 1 + Margin) & shot.rect());
}

// The screenshots the guide shows, taken of the running editor.
Shots takeScreenshots(const QString &work)
{
    Shots shots;
    std::function<void(QDialog *)> onForm;
    QString saveAs;
    answerDialogs(&onForm, &saveAs);

    const ShownFolders folders { { work + QStringLiteral("/skins"), QStringLiteral("/home/anna/Skins") },
        { work + QStringLiteral("/player"), QStringLiteral("/opt/tovix") } };
    const QString folder = work + QStringLiteral("/skins/Ocean");
    const QString skin = writeSampleSkin(folder);
    const QString fullScreenSkin = writeSampleFullScreenSkin(folder);
    frmMain *main = startEditor({ QStringLiteral("TVX_Morvane"), skin });
    if (!main)
        return shots;
    main->show();
    settle();
    shots.insert(QStringLiteral("main-window.png"), cropDesk(grabInShownFolders(main, folders), main));

    // The archive creation dialog over the saved skin, its name chosen with
    // Browse; nothing is created.
    onForm = [&](QDialog *form) {
        saveAs = folder + QStringLiteral(".tvk");
        if (auto *browse = form->findChild<QPushButton *>(QStringLiteral("cmdTVKBrowse")))
            browse->click();
        saveAs.clear();
        settle();
        shots.insert(QStringLiteral("create-archive.png"), grabInShownFolders(form, folders));
    };
    main->mnuFileCreateTVK_Click();
    onForm = nullptr;

    // The button-text picker over a small player language file.
    const QString playerLang = work + QStringLiteral("/player/Lang");
    QDir().mkpath(playerLang);
    writeFile(playerLang + QStringLiteral("/English.lng"),
        "[Tovix.lang]\r\nName=English\r\n\r\n[Actions]\r\n20=Play\r\n21=Pause\r\n22=Stop\r\n\r\n"
        "[Menu]\r\nC1=Open file...\r\nC2=Close\r\nC12=Play\r\n");
    gPlayerLangPath = playerLang;
    gPlayerLangFile = QStringLiteral("English.lng");
    onForm = [&](QDialog *form) {
        settle();
        shots.insert(QStringLiteral("button-text-picker.png"), grabInShownFolders(form, folders));
    };
    QString text = QStringLiteral("$lang.Actions.21");
    ShowMultilanguageButtons(text, main);
    onForm = nullptr;

    shots.insert(QStringLiteral("drag.png"), takeDrag(folders));

    // The dragged skin is not saved: the question is answered No.
    main->OpenRoad(fullScreenSkin);
    settle();
    shots.insert(QStringLiteral("full-screen.png"), cropDesk(grabInShownFolders(main, folders), main));

    // The main window deletes itself when it closes.
    const QPointer<frmMain> closing(main);
    main->close();
    settle();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete closing.data();
    dialogs::setResponder({});
    return shots;
}

// Each top-level heading after the first starts a new page; pictures are
// scaled down to the text width; a table's first column takes a third of the
// width, the others share the rest.
void arrangeForPrint(QTextDocument &doc, const Shots &shots)
{
    const QList<QTextFrame *> frames = doc.rootFrame()->childFrames();
    for (QTextFrame *frame : frames) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table || table->columns() < 2)
            continue;
        QTextTableFormat format = table->format();
        QList<QTextLength> widths { QTextLength(QTextLength::PercentageLength, 33) };
        for (int i = 1; i < table->columns(); ++i)
            widths.append(QTextLength(QTextLength::PercentageLength, 67.0 / (table->columns() - 1)));
        format.setColumnWidthConstraints(widths);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        table->setFormat(format);
    }
    QList<int> headings;
    QList<QPair<int, QTextImageFormat>> images;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 1)
            headings.append(block.position());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat())
                images.append({ fragment.position(), fragment.charFormat().toImageFormat() });
        }
    }
    QTextCursor cursor(&doc);
    for (int i = 1; i < headings.size(); ++i) {
        cursor.setPosition(headings.at(i));
        QTextBlockFormat format = cursor.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.setBlockFormat(format);
    }
    for (auto &[position, image] : images) {
        const QImage picture = shots.value(image.name());
        if (picture.isNull())
            continue;
        const qreal width = qMin<qreal>(MaxImageWidth, picture.width());
        image.setWidth(width);
        image.setHeight(width * picture.height() / picture.width());
        cursor.setPosition(position);
        cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(image);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: tvx_guide <guide.md> <output.pdf>\n");
        return 2;
    }
    // Everything the editor reads or writes stays in a private folder.
    QTemporaryDir work;
    if (!work.isValid())
        return 1;
    for (const char *folder : { "home", "runtime", "config", "registry" })
        QDir(work.path()).mkpath(QLatin1String(folder));
    QFile::setPermissions(work.filePath(QStringLiteral("runtime")),
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("TVX_MORVANE_HOME", QFile::encodeName(work.filePath(QStringLiteral("home"))));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(work.filePath(QStringLiteral("runtime"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(work.filePath(QStringLiteral("config"))));
    qputenv("TVX_MORVANE_REGISTRY", QFile::encodeName(work.filePath(QStringLiteral("registry"))));

    QApplication app(argc, argv);
    const QString source = QFile::decodeName(argv[1]);
    const QString output = QFile::decodeName(argv[2]);

    QFile markdown(source);
    if (!markdown.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tvx_guide: cannot read %s\n", argv[1]);
        return 1;
    }
    const Shots shots = takeScreenshots(work.path());

    QTextDocument doc;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9.5);
    doc.setDefaultFont(font);
    doc.setMarkdown(QString::fromUtf8(markdown.readAll()));
    // After the text: setting it drops the resources of the previous one.
    for (auto it = shots.begin(); it != shots.end(); ++it)
        doc.addResource(QTextDocument::ImageResource, QUrl(it.key()), it.value());
    arrangeForPrint(doc, shots);

    QPdfWriter pdf(output);
    pdf.setTitle(QStringLiteral("TVX Morvane: a guide for skin authors"));
    pdf.setCreator(QStringLiteral("TVX Morvane"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    doc.print(&pdf);
    if (!QFile::exists(output)) {
        std::fprintf(stderr, "tvx_guide: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
