#include "archive/ArchiveDialog.h"

#include <QCloseEvent>

void ArchiveDialog::done(int result)
{
    if (!m_busy)
        QDialog::done(result);
}

QWidget *ArchiveDialog::messageOwner()
{
    return isVisible() || !parentWidget() ? this : parentWidget();
}

void ArchiveDialog::runDisabled(const std::function<void()> &work)
{
    setEnabled(false);
    m_busy = true;
    work();
    m_busy = false;
    setEnabled(true);
}

void ArchiveDialog::closeEvent(QCloseEvent *event)
{
    if (m_busy)
        event->ignore();
    else
        QDialog::closeEvent(event);
}
