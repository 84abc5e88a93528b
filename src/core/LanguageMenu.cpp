#include "core/ApplyLanguage.h"

#include "core/frmMain.h"
#include "lang/Locale.h"
#include "platform/FileSystem.h"
#include "platform/ListingScope.h"

#include <QAction>
#include <QCollator>
#include <QCoreApplication>
#include <QFileInfo>

namespace {

// Sorts the visible language items by caption without regard to case. The sort
// makes passes over neighbouring items and ends a pass at its first exchange, so
// equal captions keep their order.
void sortLanguageItems(ControlArray<QAction> &items)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const int last = items.count() - 2;
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (int i = 0; i < last; ++i) {
            QAction *first = items.at(i);
            QAction *second = items.at(i + 1);
            if (!first || !second)
                continue;
            if (collator.compare(second->text(), first->text()) < 0) {
                const QString caption = first->text();
                first->setText(second->text());
                second->setText(caption);
                exchanged = true;
                break;
            }
        }
        QCoreApplication::processEvents();
    }
}

} // namespace

void ListLanguageFiles(QAction *sep, ControlArray<QAction> &items)
{
    // The pattern matches without regard to case, as the system's search did;
    // hidden files are listed too, and a file named ".lng" is skipped below.
    QString folder;
    QStringList names;
    {
        // The folder is looked for once, also when it is missing.
        const ListingScope listings;
        folder = fs::resolve(LanguageFolder());
        names = fs::listFolder(folder, QStringLiteral("*.lng"), true);
    }
    int n = 0;
    for (const QString &name : std::as_const(names)) {
        const QString base = name.left(name.lastIndexOf(QLatin1Char('.')));
        if (!QFileInfo(folder + name).isDir() && !base.isEmpty()) {
            if (frmMain *main = frmMain::instance(); main && main->mnuLanguageChoose)
                main->mnuLanguageChoose->setEnabled(true);
            if (sep)
                sep->setVisible(true);
            if (QAction *item = items.load(n)) {
                item->setText(base);
                item->setVisible(true);
            }
            ++n;
            if (QAction *item = items.load(n))
                item->setVisible(false);
        }
        QCoreApplication::processEvents();
    }
    sortLanguageItems(items);
}
