#include "editors/buttons/KeyPressEdit.h"

#include "editors/CoordinateEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

KeyPressEdit::KeyPressEdit(QWidget *parent)
    : QLineEdit(parent)
{
}

void KeyPressEdit::keyPressEvent(QKeyEvent *event)
{
    int key = CoordinateEdit::keyAscii(event);
    if (key == 0 || !m_keyPress) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    m_keyPress(key);
    event->accept();
    // A single-line box types nothing for Enter.
    if (key == 0 || key == 13)
        return;
    QLineEdit::keyPressEvent(event);
}

void KeyPressEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Only a move of the focus to another control of the program validates: a
    // message box or pop-up that the step itself opens does not start it again,
    // nor does hiding or unloading the window the box is on.
    if (!m_validate || m_validating || !isVisible() || event->reason() == Qt::ActiveWindowFocusReason
        || event->reason() == Qt::PopupFocusReason)
        return;
    m_validating = true;
    m_validate();
    m_validating = false;
}
