#pragma once

#include <QLineEdit>

#include <functional>

// A text box whose typed characters pass through a key handler first, as the
// design's KeyPress handlers see them (the handler may set the code to 0 to drop
// the key), and that runs its Validate step when the focus leaves it.
class KeyPressEdit : public QLineEdit
{
    Q_OBJECT

public:
    using KeyPressHandler = std::function<void(int &keyAscii)>;

    explicit KeyPressEdit(QWidget *parent = nullptr);

    void setKeyPress(KeyPressHandler handler) { m_keyPress = std::move(handler); }
    void setValidate(std::function<void()> handler) { m_validate = std::move(handler); }

    // Moves the focus to the next control in tab order, as a Tab key press does.
    void sendTab() { focusNextChild(); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    KeyPressHandler m_keyPress;
    std::function<void()> m_validate;
    bool m_validating = false;
};
