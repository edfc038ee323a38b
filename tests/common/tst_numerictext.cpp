#include "NumericText.h"
#include "TestData.h"
#include "cInifile.h"

class NumericTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recognisesNumbers_data() { addTestTable(u"common/numbers.txt"_qs, {"text", "numeric", "whole"}); }
    void recognisesNumbers()
    {
        const auto [text, numeric, whole] = fields("text", "numeric", "whole");
        QCOMPARE(isNumeric(text), numeric == u"1");
        QCOMPARE(numericValue(text).has_value(), numeric == u"1");
        QCOMPARE(cInifile::CLngDefault(text, -1), whole.toInt());
    }

    void validatesLengthLimits_data() { addTestTable(u"common/length-limits.txt"_qs, {"text", "value", "box"}); }
    void validatesLengthLimits()
    {
        const auto [text, value, box] = fields("text", "value", "box");
        const LengthLimit::Result result = LengthLimit::validate(text);
        QCOMPARE(result.value, value.toInt());
        QCOMPARE(result.boxText, box);
    }
};

QTEST_GUILESS_MAIN(NumericTextTest)
#include "tst_numerictext.moc"
