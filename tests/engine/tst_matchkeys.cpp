#include "ErrorReport.h"
#include "MatchKeys.h"
#include "ProcessingOptions.h"
#include "TestData.h"

namespace {

// The option variants the case tables in tests/data name.
ProcessingOptions variant(const QString &name)
{
    ProcessingOptions o = ProcessingOptions::full();
    const auto brackets = [&](const char *left, const char *right) {
        o.txtrAndXBK1 = QString::fromLatin1(left);
        o.txtrAndXBK2 = QString::fromLatin1(right);
    };
    if (name == u"round")
        brackets("\\(", "\\)");
    else if (name == u"wide-brackets")
        brackets("\\uFF08", "\\uFF09");
    else if (name == u"square-suffix")
        o.txttAndXBK1 = u"["_qs, o.txttAndXBK2 = u"]"_qs;
    else if (name == u"upper")
        o.chkaUpperCase = true;
    else if (name == u"no-wide-accelerator")
        o.chkrAndXEER = false;
    else if (name == u"no-colon")
        o.chkaBanMaoHao = false;
    else if (name == u"no-left-trim")
        o.chkaLTrimSpace = false;
    else if (name == u"no-right-trim")
        o.chkaRTrimSpace = false;
    else if (name != u"full")
        qFatal("unknown option variant %s", qPrintable(name));
    return o;
}

// Texts that reduce alike on both sides.
const QStringList MeetingTexts{
    u"&Save As...\\tCtrl+S"_qs, u"  另存为(&A)...  "_qs, u"File name:"_qs, u"文件名："_qs, u"请稍候…"_qs,
    u"&文件"_qs, u"..."_qs, u"café"_qs, u"Ｆｕｌｌ ñ"_qs,
};

}

class MatchKeysTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void normalisesReferencePair_data()
    {
        addTestTable(u"matchkeys-pairs.txt"_qs, {"options", "source", "translation", "r1", "r2"});
    }
    void normalisesReferencePair()
    {
        QFETCH(QString, options);
        QFETCH(QString, source);
        QFETCH(QString, translation);
        const ReferencePair pair = MatchKeyRules(variant(options)).NormaliseReferencePair(source, translation);
        QTEST(pair.r1, "r1");
        QTEST(pair.r2, "r2");
    }

    void splitsSourceParts_data()
    {
        addTestTable(u"matchkeys-parts.txt"_qs, {"options", "source", "sh", "sm", "sk", "st"});
    }
    void splitsSourceParts()
    {
        QFETCH(QString, options);
        QFETCH(QString, source);
        const SourceParts parts = MatchKeyRules(variant(options)).SplitSourceParts(source);
        QTEST(parts.sh, "sh");
        QTEST(parts.sm, "sm");
        QTEST(parts.sk, "sk");
        QTEST(parts.st, "st");
    }

    void redressesTranslation()
    {
        ProcessingOptions options = ProcessingOptions::full();
        const auto redress = [&] {
            return MatchKeyRules(options).RedressTranslation(u" "_qs, u"另存为"_qs, u"(&S)"_qs, u"...\\tCtrl+S"_qs);
        };
        QCOMPARE(redress(), u" 另存为(&S)...\\tCtrl+S"_qs);
        options.chkNotAddANDX = true;
        QCOMPARE(redress(), u" 另存为...\\tCtrl+S"_qs);
    }

    // Identical texts must always meet, whatever the case option says.
    void identicalTextsMeet_data()
    {
        QTest::addColumn<QString>("options");
        for (const char *name : {"full", "upper", "round"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void identicalTextsMeet()
    {
        QFETCH(QString, options);
        const MatchKeyRules rules(variant(options));
        for (const QString &text : MeetingTexts) {
            QString r1 = rules.NormaliseReferencePair(text, text).r1;
            if (options == u"upper") {
                for (QChar &c : r1)
                    c = c.unicode() < 128 ? c.toUpper() : c;
            }
            QCOMPARE(rules.SplitSourceParts(text).sm, r1);
        }
    }

    void everyOptionOffKeepsText()
    {
        for (const ProcessingOptions &options : {ProcessingOptions::minimal(), ProcessingOptions()}) {
            const MatchKeyRules rules(options);
            for (const QString &text : MeetingTexts + QStringList{u" A & B "_qs, u" A "_qs}) {
                const ReferencePair pair = rules.NormaliseReferencePair(text, text);
                QCOMPARE(pair.r1 + u'|' + pair.r2, text + u'|' + text);
                const SourceParts parts = rules.SplitSourceParts(text);
                QCOMPARE(QStringList({parts.sh, parts.sm, parts.sk, parts.st}), QStringList({"", text, "", ""}));
            }
        }
    }

    void rejectsInvalidBracketFragment_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::newRow("unbalanced group") << u"("_qs << u"\\)"_qs;
        QTest::newRow("unmatched closing bracket") << u"\\("_qs << u")"_qs;
        QTest::newRow("bad code point") << u"\\u12"_qs << u"\\)"_qs;
    }
    void rejectsInvalidBracketFragment()
    {
        QFETCH(QString, left);
        QFETCH(QString, right);
        ProcessingOptions options = ProcessingOptions::full();
        options.txtrAndXBK1 = left;
        options.txtrAndXBK2 = right;
        try {
            MatchKeyRules rules(options);
            QFAIL("an invalid bracket fragment was accepted");
        } catch (const AppError &error) {
            QCOMPARE(error.number(), int(Errors::InvalidPropertyValue));
            QVERIFY(error.description().contains(u"[参照]带有&X译文的两边括号"_qs));
            QVERIFY(error.description().contains(left));
        }
    }

    void rewritesUnicodeEscapes_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("other escapes kept") << u"a(b)\\(\\t\\."_qs << u"a(b)\\(\\t\\."_qs;
        QTest::newRow("class range") << u"[\\u007F-\\uffff]"_qs << u"[\\x{007F}-\\x{ffff}]"_qs;
        QTest::newRow("escaped backslash") << u"\\\\u0041"_qs << u"\\\\u0041"_qs;
        QTest::newRow("escaped backslash then escape") << u"\\\\\\u0041"_qs << u"\\\\\\x{0041}"_qs;
        QTest::newRow("too few digits") << u"\\u12"_qs << u"\\u12"_qs;
        QTest::newRow("not hexadecimal") << u"\\u12G4"_qs << u"\\u12G4"_qs;
        QTest::newRow("lone backslash at end") << u"a\\"_qs << u"a\\"_qs;
    }
    void rewritesUnicodeEscapes()
    {
        QFETCH(QString, pattern);
        QTEST(rewriteUnicodeEscapes(pattern), "expected");
    }
};

QTEST_APPLESS_MAIN(MatchKeysTest)
#include "tst_matchkeys.moc"
