#include "NumericText.h"

#include <QTest>

class NumericTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recognisesNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::newRow("integer") << u"12"_qs << true;
        QTest::newRow("leading zeros") << u"0012"_qs << true;
        QTest::newRow("blanks around") << u" 12 "_qs << true;
        QTest::newRow("signs") << u"-5"_qs << true;
        QTest::newRow("plus") << u"+5"_qs << true;
        QTest::newRow("decimal") << u"1.5"_qs << true;
        QTest::newRow("point first") << u".5"_qs << true;
        QTest::newRow("exponent") << u"2e3"_qs << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("blank") << u"  "_qs << false;
        QTest::newRow("word") << u"abc"_qs << false;
        QTest::newRow("digits then word") << u"12a"_qs << false;
        QTest::newRow("sign alone") << u"-"_qs << false;
        QTest::newRow("point alone") << u"."_qs << false;
        QTest::newRow("exponent without digits") << u"2e"_qs << false;
        QTest::newRow("inner blank") << u"1 2"_qs << false;
        QTest::newRow("full-width digits") << QStringLiteral("１２") << false;
    }
    void recognisesNumbers()
    {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QCOMPARE(isNumeric(text), numeric);
        QCOMPARE(numericValue(text).has_value(), numeric);
    }

    void validatesLengthLimits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("box");
        QTest::newRow("zero") << u"0"_qs << 50 << u"50"_qs;
        QTest::newRow("negative") << u"-5"_qs << 50 << u"50"_qs;
        QTest::newRow("not numeric keeps the box") << u"abc"_qs << 50 << u"abc"_qs;
        QTest::newRow("above the maximum") << u"1000000000"_qs << 999999999 << u"999999999"_qs;
        QTest::newRow("far above, many digits") << QString(400, u'9') << 999999999 << u"999999999"_qs;
        QTest::newRow("just below the maximum") << u"99999999"_qs << 99999999 << u"99999999"_qs;
        QTest::newRow("leading zeros") << u"007"_qs << 7 << u"007"_qs;
        QTest::newRow("rounds half to even") << u"2.5"_qs << 2 << u"2.5"_qs;
        QTest::newRow("rounds to zero") << u"0.4"_qs << 50 << u"50"_qs;
        QTest::newRow("too small for a number") << u"1e-99999"_qs << 50 << u"50"_qs;
        QTest::newRow("one") << u"1"_qs << 1 << u"1"_qs;
    }
    void validatesLengthLimits()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(QString, box);
        const LengthLimit::Result result = LengthLimit::validate(text);
        QCOMPARE(result.value, value);
        QCOMPARE(result.boxText, box);
    }
};

QTEST_GUILESS_MAIN(NumericTextTest)
#include "tst_numerictext.moc"
