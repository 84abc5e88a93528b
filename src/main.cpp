#include "core/startup.h"
#include "platform/AppInfo.h"
#include "platform/Fonts.h"
#include "platform/HeapAhead.h"
#include "platform/Pictures.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Before any other thread: it sets how the heap hands out memory.
    const memory::HeapAhead heapAhead;
    const fonts::SystemFontsAhead fontsAhead;
    app::beginSingleInstance();
    QApplication app(argc, argv);
    fonts::applicationMade();
    const pictures::FormatsAhead formatsAhead;
    const bool started = startEditor(QApplication::arguments()) != nullptr;
    // The font thread uses the application object: it ends before that goes.
    fonts::awaitSystemFonts();
    return started ? app.exec() : 0;
}
