// The old-skin converter on arbitrary bytes: an old "Skin.ini", and the skin
// reader on what it converts.
#include "FuzzSupport.h"

#include "skin/Module.h"
#include "platform/VbRuntime.h"
#include "skin/OldSkinConverter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FuzzFolder folder;
    const QString file = folder.write("Skin.ini", data, size);
    try {
        const oldskin::Converted converted = oldskin::convert(file);
        if (converted.windowSkin.isEmpty())
            __builtin_trap();
    } catch (const vb::Error &) {
    }
    return 0;
}
