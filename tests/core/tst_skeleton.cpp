#include "core/Module.h"

#include <QtTest>

class tst_skeleton : public QObject
{
    Q_OBJECT
private slots:
    void addBackslash()
    {
        QCOMPARE(AddBackslash(QString()), QString());
        QCOMPARE(AddBackslash(QStringLiteral("/a")), QStringLiteral("/a/"));
    }
};

QTEST_MAIN(tst_skeleton)
#include "tst_skeleton.moc"
