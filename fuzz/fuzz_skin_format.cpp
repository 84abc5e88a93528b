// The rules of skin values on arbitrary text: button line, display entry,
// "PosSize", full-screen position, numbers and colours.
#include "skin/SkinFormat.h"
#include "platform/Cp1252.h"
#include "platform/VbRuntime.h"

#include <cstddef>
#include <cstdint>

namespace {

template <typename F> void tolerant(F f)
{
    try {
        f();
    } catch (const vb::Error &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace skinformat;
    const QString value = cp1252::decode(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const ButtonLine button = splitButtonLine(value);
    if (button.valid && button.pieces.size() != 5)
        __builtin_trap();
    const DisplayEntry display = parseDisplayEntry(value);
    if (display.problem == DisplayEntry::None)
        fontStyle(display.style);
    tolerant([&] { vb::CDbl(display.size); });
    const PosSize posSize = splitPosSize(value);
    for (int i = 0; i < 5; ++i)
        tolerant([&] { posSizePiece(posSize, i); });
    parsePosition(value);
    positionCodeEntry(value);
    readAsNumber(value);
    tolerant([&] { wholeNumber(value); });
    tolerant([&] { vb::CInt(value); });
    tolerant([&] { vb::CByte(value); });
    tolerant([&] { vb::CInt(readAsNumber(value)); });
    tolerant([&] { colourFromString(value); });
    statTxtAlignFromValue(value);
    barKindFromKeyword(value);
    barImageBaseName(value);
    extensionFromValue(value);
    oneLine(value);
    splitLimited(value, QLatin1Char(','), 3);
    return 0;
}
