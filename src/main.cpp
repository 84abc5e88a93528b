#include "core/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (!startEditor(QApplication::arguments()))
        return 0;
    return app.exec();
}
