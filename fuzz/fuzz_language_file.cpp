// The language file reader on arbitrary bytes: the version gate, the texts and
// the message table.
#include "FuzzSupport.h"

#include "lang/Locale.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FuzzFolder home;
    static const bool ready = [] {
        qputenv("TVX_MORVANE_HOME", QFile::encodeName(home.path()));
        return QDir(home.path()).mkpath(QStringLiteral("Lang"));
    }();
    (void)ready;
    home.write("Lang/Fuzz.lng", data, size);
    gUILanguage = QStringLiteral("Fuzz");
    const LangReader lang;
    for (int key = 1; key <= 8; ++key)
        lang.text(QStringLiteral("Skin"), key, 4000 + key);
    LoadMessages();
    return 0;
}
