#include "editors/ToolWindowLayout.h"

#include "widgets/MdiForm.h"

#include <QComboBox>
#include <QSignalBlocker>

QComboBox *makeFixedList(QWidget *parent, const QString &name, const QRect &geometry, int entries)
{
    auto *list = makeControl<QComboBox>(parent, name, geometry);
    const QSignalBlocker quiet(list);
    for (int entry = 0; entry < entries; ++entry)
        list->addItem(QString());
    list->setCurrentIndex(-1);
    return list;
}

void setClientSize(QWidget *window, int widthTwips, int heightTwips)
{
    const QSize client = twipsRect(0, 0, widthTwips, heightTwips).size();
    window->setMinimumSize(client);
    window->resize(client);
}

void placeToolWindow(MdiForm *form, int left, int top, int width)
{
    const int clientHeight = form->height();
    QWidget *frame = form->frame();
    if (frame != form) {
        const bool shown = frame->isVisible();
        frame->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint
            | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
        if (shown)
            frame->show();
    }
    const QMargins borders = frame == form ? QMargins() : frame->contentsMargins();
    form->moveFrame(left, top);
    form->resizeFrame(width, clientHeight + borders.top() + borders.bottom());
    if (frame != form)
        frame->setFixedSize(frame->size());
}
