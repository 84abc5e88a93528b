#include "core/startup.h"

#include "core/frmMain.h"
#include "platform/AppInfo.h"

#include <QCoreApplication>
#include <QEvent>

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
    auto *main = new frmMain;
    // The lock lives as long as the main window.
    QObject::connect(main, &QObject::destroyed, [] { app::releaseSingleInstance(); });
    main->MDIForm_Load(arguments);
    return main;
}

void closeWhenDrawnIfAsked(frmMain *main)
{
    if (qEnvironmentVariableIsSet("TVX_MORVANE_QUIT_WHEN_DRAWN"))
        main->installEventFilter(new CloseWhenDrawn(main));
}
