#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <stdexcept>

// The numeric rules of the Visual Basic run time that the editor's design relies
// on: the lenient Val, the strict conversions that raise run-time errors, rounding
// halves to the even neighbour, -1/0 truth values and numbered run-time errors.
namespace vb {

// Run-time error numbers the error traps dispatch on.
enum ErrorNumber : int {
    ErrOverflow = 6,
    ErrSubscript = 9,
    ErrTypeMismatch = 13,
    ErrInternal = 51,
    ErrBadFileNameOrNumber = 52,
    ErrFileNotFound = 53,
    ErrBadFileMode = 54,
    ErrFileAlreadyOpen = 55,
    ErrDeviceIO = 57,
    ErrFileAlreadyExists = 58,
    ErrDiskFull = 61,
    ErrInputPastEnd = 62,
    ErrTooManyFiles = 67,
    ErrDeviceUnavailable = 68,
    ErrPermissionDenied = 70,
    ErrDiskNotReady = 71,
    ErrRenameAcrossDisks = 74,
    ErrPathFileAccess = 75,
    ErrPathNotFound = 76,
    ErrControlAlreadyLoaded = 360,
    ErrInvalidPropertyValue = 380,
    ErrInvalidPicture = 481,
};

// A raised run-time error: its number and English description, and where in
// its input the code that raised it had got to, when that code says so.
class Error : public std::runtime_error
{
public:
    explicit Error(int number, const QString &description = QString());
    int number() const { return m_number; }
    QString description() const { return m_description; }
    // The place in the input ("Skin.ini, [Buttons] Btn2"); empty when not told.
    QString where() const { return m_where; }
    void setWhere(const QString &where) { m_where = where; }

private:
    int m_number;
    QString m_description;
    QString m_where;
};

// English description of a run-time error number ("Overflow", "Type mismatch", ...).
QString errorDescription(int number);

// Throws vb::Error with the number and its description.
[[noreturn]] void raise(int number);

// "On Error Resume Next" for one statement: runs it and swallows a run-time error.
// Returns the error number raised (0 when none).
int resumeNext(const std::function<void()> &statement);

// Val: blanks, tabs and line feeds ignored anywhere; optional sign, digits, one "."
// and an optional exponent; "&H" and "&O" prefixes; reading stops at the first
// character that cannot continue the number; no number gives 0.
double Val(const QString &text);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// Strict conversion of a text to a number (CDbl): raises 13 when the text is not a number.
double CDbl(const QString &text);

// Conversions to whole numbers with rounding halves to even; raise 6 (Overflow)
// outside the target range.
int16_t CInt(double value);
int32_t CLng(double value);
uint8_t CByte(double value);

// Strict conversions from text: 13 when not a number, 6 when out of range.
int16_t CInt(const QString &text);
int32_t CLng(const QString &text);
uint8_t CByte(const QString &text);

// Visual Basic truth values.
constexpr int16_t True = -1;
constexpr int16_t False = 0;
inline int16_t fromBool(bool b)
{
    return b ? True : False;
}
inline bool isTrue(int value)
{
    return value != 0;
}

// CStr of a whole number: decimal, no leading zeros, "-" when negative.
QString Str(int64_t value);

} // namespace vb
