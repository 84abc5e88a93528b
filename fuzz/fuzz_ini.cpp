// The INI reader on arbitrary bytes: every encoding, sections and keys found or not.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FuzzFolder folder;
    for (const char *name : { "Skin.ini", "Fuzz.lng" }) {
        const QString file = folder.write(name, data, size);
        for (const char *section : { "Settings", "Buttons", "", "a" }) {
            for (const char *key : { "MainImg", "Number", "Btn1", "", "1" }) {
                int count = 0;
                const QString value
                    = ini::readValue(QLatin1String(section), QLatin1String(key), file, &count);
                if (value.size() > 255 || count != value.size())
                    __builtin_trap();
                ini::hasKey(QLatin1String(section), QLatin1String(key), file);
                ini::readRawValue(QLatin1String(section), QLatin1String(key), file);
            }
        }
    }
    return 0;
}
