#pragma once

#include "platform/Shell.h"

#include <QList>

// Takes every launch of the shell (opening a file or address, running a
// registered verb's command) while it lives, records it and reports success, so
// that no viewer, browser or player starts during a test.
//
//     ShellRecorder shell;
//     window->mnuViewSkinFile_Click();
//     QCOMPARE(shell.count(), 1);
//     QCOMPARE(shell.last().url, QUrl::fromLocalFile(skinFile));
//
// setSucceeds(false) makes the launches fail, as when the desktop has no program
// for the file (shell::execute then returns shell::NoAssociation).
// The destructor restores the real shell; only one recorder should live at a time.
class ShellRecorder
{
public:
    ShellRecorder()
    {
        shell::setLauncher([this](const shell::Launch &what) {
            m_launches.append(what);
            return m_succeeds;
        });
    }
    ~ShellRecorder() { shell::setLauncher({}); }
    ShellRecorder(const ShellRecorder &) = delete;
    ShellRecorder &operator=(const ShellRecorder &) = delete;

    void setSucceeds(bool succeeds) { m_succeeds = succeeds; }
    const QList<shell::Launch> &launches() const { return m_launches; }
    int count() const { return int(m_launches.size()); }
    const shell::Launch &last() const { return m_launches.constLast(); }
    // Forgets the launches; the next ones succeed again.
    void clear()
    {
        m_launches.clear();
        m_succeeds = true;
    }

private:
    QList<shell::Launch> m_launches;
    bool m_succeeds = true;
};
