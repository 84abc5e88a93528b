#pragma once

#include <QDialog>

#include <functional>

// A modal archive dialog that runs the archive library: while the library works
// (and yields to the event loop) the dialog is disabled and refuses to close, so
// that no second run starts and no result is lost.
class ArchiveDialog : public QDialog
{
    Q_OBJECT

public:
    using QDialog::QDialog;

    bool busy() const { return m_busy; }

    void done(int result) override;

    // The window a message of this dialog is centred on: the dialog once shown,
    // before that (while it loads) its owner.
    QWidget *messageOwner();

protected:
    // Runs work with the dialog disabled and closing refused; enables it again afterwards.
    void runDisabled(const std::function<void()> &work);

    void closeEvent(QCloseEvent *event) override;

private:
    bool m_busy = false;
};
