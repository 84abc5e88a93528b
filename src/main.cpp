#include "core/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    frmMain *main = startEditor(QApplication::arguments());
    if (!main)
        return 0;
    closeWhenDrawnIfAsked(main);
    return app.exec();
}
