#pragma once

#include <QLineEdit>

#include <cstdint>
#include <functional>

class QKeyEvent;

// A box for a coordinate, a size or a maximum width in skin pixels. Typing is
// filtered as the design's number boxes filter it: digits, Backspace and (where
// allowed) "-" only, at most seven characters, Enter moves the focus on, and no
// key at all while the box's gate is shut (for instance while no element is
// selected). Pasted text and text written by the program pass the key filter;
// each box's change handler then holds them to seven characters through normalize().
class CoordinateEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CoordinateEdit(QWidget *parent = nullptr);

    // The gate: while it returns false every typed key is dropped, Enter included.
    // Without a gate the box always takes keys.
    void setGate(std::function<bool()> gate) { m_gate = std::move(gate); }
    bool gateOpen() const { return !m_gate || m_gate(); }

    bool minusAllowed() const { return m_minusAllowed; }
    void setMinusAllowed(bool allowed) { m_minusAllowed = allowed; }

    // The most characters typing can reach.
    int maxChars() const { return MaxChars; }

    // The character code the design's key handlers see for a key press: 8
    // Backspace, 13 Enter, 1 to 26 for Ctrl with a letter (22 is Ctrl+V), else the
    // typed character. 0 for keys that type nothing (arrows, Home, Delete, F-keys),
    // which never reach a key handler.
    static int keyAscii(const QKeyEvent *event);

    // The decimal writing of the number that the text's leading part reads as:
    // "007" gives "7", "12a" "12", "12-3" "12", "" and "-" give "0", "12.5" stays.
    static QString normalizedText(const QString &text);

    // The value a box stores for its text: its leading number rounded to a whole
    // number, halves to the even neighbour, kept within the signed 32-bit range.
    static int32_t wholeValue(const QString &text);

    // The change handling of a box whose gate is open: the text, cut to its first
    // seven characters, is rewritten as normalizedText says (which runs the
    // change handler once more, nested); a number that seven characters cannot
    // write (an exponent form), or below 0 in a box without "-", is clamped to
    // -999999 (0) to 9999999 and written so. Returns the value to store.
    int32_t normalize();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::function<bool()> m_gate;
    bool m_minusAllowed = true;
    static constexpr int MaxChars = 7;
};
