#include "core/startup.h"
#include "platform/Fonts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const fonts::SystemFontsAhead fontsAhead;
    QApplication app(argc, argv);
    fonts::applicationMade();
    if (!startEditor(QApplication::arguments()))
        return 0;
    return app.exec();
}
