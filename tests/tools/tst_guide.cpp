#include <QFile>
#include <QRegularExpression>
#include <QtTest>

// The guide that the build writes next to the executable.
class tst_guide : public QObject
{
    Q_OBJECT

private slots:
    void theBuildWroteTheGuideWithItsPages()
    {
        QFile pdf(QStringLiteral(TVX_GUIDE_PDF));
        QVERIFY2(pdf.open(QIODevice::ReadOnly), TVX_GUIDE_PDF);
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        // Text, tables and five screenshots of the windows.
        QVERIFY2(bytes.size() > 100 * 1024, QByteArray::number(bytes.size()).constData());
        const qsizetype pages
            = QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b")));
        QVERIFY2(pages >= 6 && pages <= 12, QByteArray::number(pages).constData());
        QCOMPARE(bytes.count("/Subtype /Image"), 5);
    }
};

QTEST_GUILESS_MAIN(tst_guide)
#include "tst_guide.moc"
