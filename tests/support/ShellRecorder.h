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
// setSucceeds(false) makes the launches fail (shell::execute then returns 31).
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
    void clear() { m_launches.clear(); }

private:
    QList<shell::Launch> m_launches;
    bool m_succeeds = true;
};
