#include "core/startup.h"

#include "core/frmMain.h"
#include "platform/AppInfo.h"
#include "platform/ListingScope.h"
#include "skin/OpenRoad.h"
#include "skin/SkinFileReader.h"
#include "widgets/BandedStyle.h"

#include <QCoreApplication>
#include <QEvent>

#include <optional>

namespace {

// Closes the main window right after it is first drawn. The drawing waits for
// every other event the start-up posted, the opening of a skin included.
class CloseWhenDrawn : public QObject
{
public:
    explicit CloseWhenDrawn(frmMain *main)
        : QObject(main)
        , m_main(main)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_main && event->type() == QEvent::UpdateRequest) {
            m_main->removeEventFilter(this);
            QMetaObject::invokeMethod(m_main, &QWidget::close, Qt::QueuedConnection);
        }
        return false;
    }

private:
    frmMain *m_main;
};

} // namespace

frmMain *startEditor(const QStringList &arguments)
{
    QCoreApplication::setApplicationName(QStringLiteral("TVX_Morvane"));
    // A second copy ends before it shows or writes anything.
    if (!app::acquireSingleInstance())
        return nullptr;
    useBandedStyle();
    // The pictures of a skin named on the command line are decoded on other
    // threads while the main window is made; its open, at the end of the load,
    // finds them under the same folder listings.
    std::optional<ListingScope> listings;
    std::optional<skinreader::ReadAhead> ahead;
    const QString skinFile = CommandLineSkinFile(arguments);
    if (!skinFile.isEmpty() && !IsArchiveTitle(FileTitle(skinFile))) {
        listings.emplace();
        ahead.emplace(skinFile);
    }
    auto *main = new frmMain;
    // The lock lives as long as the main window.
    QObject::connect(main, &QObject::destroyed, [] { app::releaseSingleInstance(); });
    main->MDIForm_Load(arguments);
    // For timing a whole run (bench/bench_whole_program): once the window has
    // been drawn, it is closed as File > Exit closes it.
    if (qEnvironmentVariableIsSet("TVX_MORVANE_QUIT_WHEN_DRAWN"))
        main->installEventFilter(new CloseWhenDrawn(main));
    return main;
}
