#include "platform/VbRuntime.h"

#include <QHash>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>

namespace vb {

namespace {

// The descriptions the Visual Basic run time gives its trappable errors.
const QHash<int, QString> &errorTable()
{
    static const QHash<int, QString> table = {
        { 3, QStringLiteral("Return without GoSub") },
        { 5, QStringLiteral("Invalid procedure call or argument") },
        { 6, QStringLiteral("Overflow") },
        { 7, QStringLiteral("Out of memory") },
        { 9, QStringLiteral("Subscript out of range") },
        { 10, QStringLiteral("This array is fixed or temporarily locked") },
        { 11, QStringLiteral("Division by zero") },
        { 13, QStringLiteral("Type mismatch") },
        { 14, QStringLiteral("Out of string space") },
        { 28, QStringLiteral("Out of stack space") },
        { 35, QStringLiteral("Sub or Function not defined") },
        { 48, QStringLiteral("Error in loading DLL") },
        { 51, QStringLiteral("Internal error") },
        { 52, QStringLiteral("Bad file name or number") },
        { 53, QStringLiteral("File not found") },
        { 54, QStringLiteral("Bad file mode") },
        { 55, QStringLiteral("File already open") },
        { 57, QStringLiteral("Device I/O error") },
        { 58, QStringLiteral("File already exists") },
        { 59, QStringLiteral("Bad record length") },
        { 61, QStringLiteral("Disk full") },
        { 62, QStringLiteral("Input past end of file") },
        { 63, QStringLiteral("Bad record number") },
        { 67, QStringLiteral("Too many files") },
        { 68, QStringLiteral("Device unavailable") },
        { 70, QStringLiteral("Permission denied") },
        { 71, QStringLiteral("Disk not ready") },
        { 74, QStringLiteral("Can't rename with different drive") },
        { 75, QStringLiteral("Path/File access error") },
        { 76, QStringLiteral("Path not found") },
        { 91, QStringLiteral("Object variable or With block variable not set") },
        { 92, QStringLiteral("For loop not initialized") },
        { 94, QStringLiteral("Invalid use of Null") },
        { 340, QStringLiteral("Control array element does not exist") },
        { 360, QStringLiteral("Object already loaded") },
        { 380, QStringLiteral("Invalid property value") },
        { 381, QStringLiteral("Invalid property-array index") },
        { 481, QStringLiteral("Invalid picture") },
    };
    return table;
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// The result of scanning a number at the start of a text (blanks already removed).
struct Scan {
    double value = 0;
    qsizetype length = 0; // characters consumed; 0 when there is no number
};

// "&H" and "&O" numbers: up to 16 bits they are Integers and up to 32 bits Longs,
// so "&HFFFF" is -1 and "&HFFFFFFFF" is -1 too. Larger values stay unsigned;
// converting them to a whole number then overflows, as it should.
Scan scanRadix(const QString &s, qsizetype pos, int radix)
{
    Scan scan;
    quint64 value = 0;
    bool tooBig = false;
    qsizetype i = pos;
    for (; i < s.size(); ++i) {
        const int d = hexDigit(s.at(i));
        if (d < 0 || d >= radix)
            break;
        if (value > (std::numeric_limits<quint64>::max() >> 4))
            tooBig = true;
        value = value * quint64(radix) + quint64(d);
    }
    if (i == pos)
        return scan;
    scan.length = i;
    if (tooBig)
        scan.value = std::numeric_limits<double>::infinity();
    else if (value <= 0xFFFF)
        scan.value = double(int16_t(uint16_t(value)));
    else if (value <= 0xFFFFFFFFull)
        scan.value = double(int32_t(uint32_t(value)));
    else
        scan.value = double(value);
    return scan;
}

// A decimal number: sign, digits, one ".", an exponent ("E" or "D") with its
// own sign. Digits are collected into a C-locale text so the decimal point is
// "." whatever the user's locale says.
Scan scanDecimal(const QString &s)
{
    Scan scan;
    qsizetype i = 0;
    const bool negative = i < s.size() && s.at(i) == QLatin1Char('-');
    if (negative || (i < s.size() && s.at(i) == QLatin1Char('+')))
        ++i;
    const qsizetype firstDigit = i;
    quint64 whole = 0;
    while (i < s.size() && isDigit(s.at(i))) {
        whole = whole * 10 + quint64(s.at(i).unicode() - '0');
        ++i;
    }
    // A whole number of up to 15 digits, most of a skin's numbers, is exact
    // in a double as it is.
    const bool goesOn = i < s.size() && QStringView(u".eEdD").contains(s.at(i));
    if (i > firstDigit && i - firstDigit <= 15 && !goesOn) {
        scan.length = i;
        scan.value = negative ? -double(whole) : double(whole);
        return scan;
    }
    QByteArray number;
    if (negative)
        number += '-';
    for (qsizetype k = firstDigit; k < i; ++k)
        number += char(s.at(k).unicode());
    bool digits = i > firstDigit;
    if (i < s.size() && s.at(i) == QLatin1Char('.')) {
        number += '.';
        ++i;
        while (i < s.size() && isDigit(s.at(i))) {
            number += char(s.at(i).unicode());
            digits = true;
            ++i;
        }
    }
    if (!digits)
        return scan;
    scan.length = i;
    if (i < s.size()) {
        const char16_t e = s.at(i).unicode();
        if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
            qsizetype j = i + 1;
            QByteArray exponent("e");
            if (j < s.size() && (s.at(j) == QLatin1Char('+') || s.at(j) == QLatin1Char('-'))) {
                exponent += char(s.at(j).unicode());
                ++j;
            }
            const qsizetype firstDigit = j;
            while (j < s.size() && isDigit(s.at(j))) {
                exponent += char(s.at(j).unicode());
                ++j;
            }
            if (j > firstDigit) {
                number += exponent;
                scan.length = j;
            }
        }
    }
    scan.value = std::strtod(number.constData(), nullptr);
    return scan;
}

Scan scanNumber(const QString &s)
{
    if (s.size() >= 2 && s.at(0) == QLatin1Char('&')) {
        const char16_t p = s.at(1).toUpper().unicode();
        if (p == 'H')
            return scanRadix(s, 2, 16);
        if (p == 'O')
            return scanRadix(s, 2, 8);
        return {};
    }
    return scanDecimal(s);
}

} // namespace

Error::Error(int number, const QString &description)
    : std::runtime_error((description.isEmpty() ? errorDescription(number) : description).toStdString())
    , m_number(number)
    , m_description(description.isEmpty() ? errorDescription(number) : description)
{
}

QString errorDescription(int number)
{
    return errorTable().value(number, QStringLiteral("Application-defined or object-defined error"));
}

void raise(int number)
{
    throw Error(number);
}

int resumeNext(const std::function<void()> &statement)
{
    try {
        statement();
    } catch (const Error &error) {
        return error.number();
    }
    return 0;
}

double Val(const QString &text)
{
    // Most texts hold no blank: they are read as they stand.
    if (std::none_of(text.begin(), text.end(), isBlank))
        return scanNumber(text).value;
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (!isBlank(c))
            s += c;
    return scanNumber(s).value;
}

double roundHalfEven(double value)
{
    // The rounding mode is process-wide; make sure it is the default one here.
    const int previous = std::fegetround();
    if (previous != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    if (previous != FE_TONEAREST)
        std::fesetround(previous);
    return rounded;
}

double CDbl(const QString &text)
{
    // Blanks around the number are allowed, anything else that is not part of it
    // is a type mismatch.
    const QString s = text.trimmed();
    const Scan scan = scanNumber(s);
    if (scan.length == 0 || scan.length != s.size())
        raise(ErrTypeMismatch);
    return scan.value;
}

namespace {

template <typename T> T toWhole(double value)
{
    const double rounded = roundHalfEven(value);
    if (std::isnan(rounded) || rounded < double(std::numeric_limits<T>::min())
        || rounded > double(std::numeric_limits<T>::max()))
        raise(ErrOverflow);
    return static_cast<T>(rounded);
}

} // namespace

int16_t CInt(double value)
{
    return toWhole<int16_t>(value);
}

int32_t CLng(double value)
{
    return toWhole<int32_t>(value);
}

uint8_t CByte(double value)
{
    return toWhole<uint8_t>(value);
}

int16_t CInt(const QString &text)
{
    return CInt(CDbl(text));
}

int32_t CLng(const QString &text)
{
    return CLng(CDbl(text));
}

uint8_t CByte(const QString &text)
{
    return CByte(CDbl(text));
}

QString Str(int64_t value)
{
    return QString::number(value);
}

} // namespace vb
