#include "platform/Cp1252.h"
#include "platform/VbRuntime.h"

#include <QtTest>

#include <cfenv>

class tst_vbruntime : public QObject
{
    Q_OBJECT
private slots:
    void val_data();
    void val();
    void valIgnoresLocale();
    void roundHalfEven_data();
    void roundHalfEven();
    void strictConversions();
    void wholeConversionsOverflow();
    void errorsCarryNumberAndDescription();
    void resumeNextSwallowsOnlyRunTimeErrors();
    void cp1252RoundTripsEveryByte();
    void cp1252Encode();
};

void tst_vbruntime::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("whole") << "42" << 42.0;
    QTest::newRow("more digits than a whole number holds")
        << "123456789012345678901" << 123456789012345678901.0;
    QTest::newRow("leading blanks") << "   17" << 17.0;
    QTest::newRow("blanks inside") << " 1 2 3" << 123.0;
    QTest::newRow("tab and line feed inside") << "1\t2\n3" << 123.0;
    QTest::newRow("carriage return stops") << "12\r3" << 12.0;
    QTest::newRow("trailing text") << "15px" << 15.0;
    QTest::newRow("comma stops") << "1,5" << 1.0;
    QTest::newRow("fraction") << "2.75" << 2.75;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("negative") << "-12.5" << -12.5;
    QTest::newRow("sign then blank") << "- 7" << -7.0;
    QTest::newRow("plus") << "+8" << 8.0;
    QTest::newRow("double sign") << "--5" << 0.0;
    QTest::newRow("exponent") << "1.5E3" << 1500.0;
    QTest::newRow("exponent D") << "2d2" << 200.0;
    QTest::newRow("negative exponent") << "25e-1" << 2.5;
    QTest::newRow("exponent without digits") << "3E" << 3.0;
    QTest::newRow("exponent sign without digits") << "3E+x" << 3.0;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex lower case") << "&hff" << 255.0;
    QTest::newRow("hex is Integer up to 16 bits") << "&HFFFF" << -1.0;
    QTest::newRow("hex Long above") << "&H10000" << 65536.0;
    QTest::newRow("hex Long wraps") << "&HFFFFFFFF" << -1.0;
    QTest::newRow("hex stops") << "&H1G" << 1.0;
    QTest::newRow("hex without digits") << "&H" << 0.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal stops at 8") << "&O18" << 1.0;
    QTest::newRow("ampersand alone") << "&12" << 0.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("minus alone") << "-" << 0.0;
}

void tst_vbruntime::val()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(vb::Val(text), expected);
}

void tst_vbruntime::valIgnoresLocale()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German));
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    QCOMPARE(vb::Val(QStringLiteral("3.25")), 3.25);
    QCOMPARE(vb::CDbl(QStringLiteral("3.25")), 3.25);
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(saved);
}

void tst_vbruntime::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("1.5") << 1.5 << 2.0;
    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("12.5") << 12.5 << 12.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("-3.5") << -3.5 << -4.0;
    QTest::newRow("2.51") << 2.51 << 3.0;
    QTest::newRow("-0.4") << -0.4 << 0.0;
}

void tst_vbruntime::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(vb::roundHalfEven(value), expected);
}

void tst_vbruntime::strictConversions()
{
    QCOMPARE(vb::CDbl(QStringLiteral(" 12.5 ")), 12.5);
    QCOMPARE(vb::CDbl(QStringLiteral("-3e2")), -300.0);
    QCOMPARE(vb::CDbl(QStringLiteral("&H10")), 16.0);
    QCOMPARE(vb::CLng(QStringLiteral(" 7 ")), 7);
    QCOMPARE(vb::CLng(QStringLiteral("2.5")), 2);
    QCOMPARE(vb::CLng(QStringLiteral("3.5")), 4);
    QCOMPARE(vb::CInt(QStringLiteral("-32768")), int16_t(-32768));
    QCOMPARE(vb::CByte(QStringLiteral("255")), uint8_t(255));

    for (const char *bad : { "", "  ", "abc", "12abc", "1 2", "1,5", "--1", "&H", "." }) {
        try {
            vb::CLng(QString::fromLatin1(bad));
            QFAIL(qPrintable(QStringLiteral("no error for \"%1\"").arg(QLatin1String(bad))));
        } catch (const vb::Error &e) {
            QCOMPARE(e.number(), int(vb::ErrTypeMismatch));
        }
    }
}

void tst_vbruntime::wholeConversionsOverflow()
{
    auto number = [](const std::function<void()> &f) { return vb::resumeNext(f); };
    QCOMPARE(number([] { vb::CLng(2147483647.4); }), 0);
    QCOMPARE(number([] { vb::CLng(2147483647.5); }), int(vb::ErrOverflow));
    QCOMPARE(number([] { vb::CLng(-2147483648.5); }), 0); // halves to even: -2147483648
    QCOMPARE(number([] { vb::CLng(-2147483649.0); }), int(vb::ErrOverflow));
    QCOMPARE(number([] { vb::CLng(QStringLiteral("1e10")); }), int(vb::ErrOverflow));
    QCOMPARE(number([] { vb::CLng(QStringLiteral("&H123456789")); }), int(vb::ErrOverflow));
    QCOMPARE(number([] { vb::CInt(32767.5); }), int(vb::ErrOverflow));
    QCOMPARE(number([] { vb::CInt(-32768.5); }), 0);
    QCOMPARE(number([] { vb::CByte(-0.5); }), 0); // rounds to 0
    QCOMPARE(number([] { vb::CByte(-0.6); }), int(vb::ErrOverflow));
    QCOMPARE(number([] { vb::CByte(256.0); }), int(vb::ErrOverflow));
    QCOMPARE(number([] { vb::CLng(std::nan("")); }), int(vb::ErrOverflow));
}

void tst_vbruntime::errorsCarryNumberAndDescription()
{
    QCOMPARE(vb::errorDescription(6), QStringLiteral("Overflow"));
    QCOMPARE(vb::errorDescription(9), QStringLiteral("Subscript out of range"));
    QCOMPARE(vb::errorDescription(13), QStringLiteral("Type mismatch"));
    QCOMPARE(vb::errorDescription(53), QStringLiteral("File not found"));
    QCOMPARE(vb::errorDescription(74), QStringLiteral("Can't rename with different drive"));
    QCOMPARE(vb::errorDescription(75), QStringLiteral("Path/File access error"));
    QCOMPARE(vb::errorDescription(360), QStringLiteral("Object already loaded"));
    QCOMPARE(vb::errorDescription(481), QStringLiteral("Invalid picture"));
    try {
        vb::raise(vb::ErrDiskFull);
    } catch (const vb::Error &e) {
        QCOMPARE(e.number(), 61);
        QCOMPARE(e.description(), QStringLiteral("Disk full"));
        QCOMPARE(QString::fromStdString(e.what()), QStringLiteral("Disk full"));
    }
    const vb::Error own(70, QStringLiteral("Custom"));
    QCOMPARE(own.description(), QStringLiteral("Custom"));
}

void tst_vbruntime::resumeNextSwallowsOnlyRunTimeErrors()
{
    int after = 0;
    QCOMPARE(vb::resumeNext([&] { after = 1; }), 0);
    QCOMPARE(after, 1);
    QCOMPARE(vb::resumeNext([] { vb::raise(vb::ErrSubscript); }), 9);
    QVERIFY_THROWS_EXCEPTION(std::logic_error, vb::resumeNext([] { throw std::logic_error("x"); }));
}

void tst_vbruntime::cp1252RoundTripsEveryByte()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const QString text = cp1252::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(text.at(0x80), QChar(0x20AC));
    QCOMPARE(text.at(0x81), QChar(0x0081));
    QCOMPARE(text.at(0x8D), QChar(0x008D));
    QCOMPARE(text.at(0x8F), QChar(0x008F));
    QCOMPARE(text.at(0x90), QChar(0x0090));
    QCOMPARE(text.at(0x9D), QChar(0x009D));
    QCOMPARE(text.at(0x9F), QChar(0x0178));
    QCOMPARE(text.at(0xE9), QChar(0x00E9));
    QVERIFY(cp1252::canEncode(text));
    QCOMPARE(cp1252::encode(text), all);
}

void tst_vbruntime::cp1252Encode()
{
    QCOMPARE(cp1252::encode(QString::fromUtf8("€ Ω é \xF0\x9F\x98\x80")), QByteArray("\x80 ? \xE9 ?"));
    QVERIFY(!cp1252::canEncode(QString::fromUtf8("Ω")));
    QVERIFY(cp1252::canEncode(QString::fromUtf8("Ÿœ™")));
}

QTEST_GUILESS_MAIN(tst_vbruntime)
#include "tst_vbruntime.moc"
