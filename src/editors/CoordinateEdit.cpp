#include "editors/CoordinateEdit.h"

#include "platform/VbRuntime.h"

#include <QKeyEvent>

#include <cmath>
#include <limits>

CoordinateEdit::CoordinateEdit(QWidget *parent)
    : QLineEdit(parent)
{
}

int CoordinateEdit::keyAscii(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Delete:
        return 0;
    default:
        break;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && event->key() >= Qt::Key_A
        && event->key() <= Qt::Key_Z)
        return event->key() - Qt::Key_A + 1;
    const QString text = event->text();
    if (text.isEmpty())
        return 0;
    const int code = text.at(0).unicode();
    return code == 127 ? 0 : code;
}

void CoordinateEdit::keyPressEvent(QKeyEvent *event)
{
    const int key = keyAscii(event);
    if (key == 0) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!gateOpen())
        return;
    if (key == 13) {
        focusNextChild();
        return;
    }
    const bool wanted = (key >= '0' && key <= '9') || key == 8 || (key == '-' && m_minusAllowed);
    if (!wanted)
        return;
    if (key != 8 && text().length() - selectedText().length() + 1 > MaxChars)
        return;
    QLineEdit::keyPressEvent(event);
}

QString CoordinateEdit::normalizedText(const QString &text)
{
    double value = vb::Val(text);
    if (value == 0.0)
        value = 0.0; // no "-0"
    if (std::abs(value) < 1e15 && value == std::trunc(value))
        return QString::number(static_cast<qint64>(value));
    QString written = QString::number(value, 'g', 15);
    written.replace(QLatin1String("e"), QLatin1String("E"));
    return written;
}

int32_t CoordinateEdit::wholeValue(const QString &text)
{
    const double value = vb::roundHalfEven(vb::Val(text));
    if (value >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (value <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

int32_t CoordinateEdit::normalize()
{
    const QString cut = text().left(MaxChars);
    const double value = vb::Val(cut);
    // What seven characters can write: -999999 to 9999999.
    const double lowest = m_minusAllowed ? -999999.0 : 0.0;
    const double highest = 9999999.0;
    QString normal;
    if (std::isnan(value) || value < lowest || value > highest)
        normal = QString::number(static_cast<qint64>(std::isnan(value) || value < lowest ? lowest : highest));
    else
        normal = normalizedText(cut);
    if (normal != text())
        setText(normal);
    return wholeValue(normal);
}
