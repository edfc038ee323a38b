#include "ErrorReport.h"
#include "MatchKeys.h"
#include "ProcessingOptions.h"
#include "TestData.h"

namespace {

// The option variants the case tables in tests/data name: the full preset with one change,
// and after a space the access-key markers of the to-do and the reference ("full _&").
ProcessingOptions variant(const QString &nameAndMarkers)
{
    const QString name = nameAndMarkers.section(u' ', 0, 0);
    const QString markers = nameAndMarkers.section(u' ', 1) + u"&&"_qs;
    static const QHash<QString, void (*)(ProcessingOptions &)> changes{
        {u"full"_qs, [](ProcessingOptions &) {}},
        {u"round"_qs, [](ProcessingOptions &o) { o.txtrAndXBK1 = u"\\("_qs, o.txtrAndXBK2 = u"\\)"_qs; }},
        {u"wide-brackets"_qs,
         [](ProcessingOptions &o) { o.txtrAndXBK1 = u"\\uFF08"_qs, o.txtrAndXBK2 = u"\\uFF09"_qs; }},
        {u"square-suffix"_qs, [](ProcessingOptions &o) { o.txttAndXBK1 = u"["_qs, o.txttAndXBK2 = u"]"_qs; }},
        {u"upper"_qs, [](ProcessingOptions &o) { o.chkaUpperCase = true; }},
        {u"no-wide-accelerator"_qs, [](ProcessingOptions &o) { o.chkrAndXEER = false; }},
        {u"no-colon"_qs, [](ProcessingOptions &o) { o.chkaBanMaoHao = false; }},
        {u"no-left-trim"_qs, [](ProcessingOptions &o) { o.chkaLTrimSpace = false; }},
        {u"no-right-trim"_qs, [](ProcessingOptions &o) { o.chkaRTrimSpace = false; }},
    };
    ProcessingOptions options = ProcessingOptions::full();
    if (!changes.contains(name))
        qFatal("unknown option variant %s", qPrintable(name));
    changes[name](options);
    options.todoMarker = markers.at(0);
    options.referenceMarker = markers.at(1);
    return options;
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
        const auto [options, source, translation] = fields("options", "source", "translation");
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
        const auto [options, source] = fields("options", "source");
        const SourceParts parts = MatchKeyRules(variant(options)).SplitSourceParts(source);
        QTEST(parts.sh, "sh");
        QTEST(parts.sm, "sm");
        QTEST(parts.sk, "sk");
        QTEST(parts.st, "st");
    }

    // The whole way of a to-do entry: its key against the reference's, then the found
    // translation re-dressed; an empty result means the keys do not meet.
    void redressesFoundTranslation_data()
    {
        addTestTable(u"matchkeys-meetings.txt"_qs, {"options", "todo", "source", "translation", "result"});
    }
    void redressesFoundTranslation()
    {
        const auto [options, todo, source, translation] = fields("options", "todo", "source", "translation");
        const MatchKeyRules rules(variant(options));
        const SourceParts parts = rules.SplitSourceParts(todo);
        const ReferencePair pair = rules.NormaliseReferencePair(source, translation);
        QTEST(parts.sm == pair.r1 ? rules.RedressTranslation(parts.sh, pair.r2, parts.sk, parts.st) : QString(), "result");
    }

    // Identical texts must always meet, whatever the case option says.
    void identicalTextsMeet()
    {
        for (const QString &options : {u"full"_qs, u"upper"_qs, u"round"_qs}) {
            const MatchKeyRules rules(variant(options));
            for (const QString &text : MeetingTexts) {
                QString r1 = rules.NormaliseReferencePair(text, text).r1;
                for (QChar &c : r1)
                    c = options == u"upper" && c.unicode() < 128 ? c.toUpper() : c;
                QCOMPARE(rules.SplitSourceParts(text).sm, r1);
            }
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
        addTestTable(u"engine/bad-bracket-fragments.txt"_qs, {"left", "right"});
    }
    void rejectsInvalidBracketFragment()
    {
        const auto [left, right] = fields("left", "right");
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

    void rewritesUnicodeEscapes_data() { addTestTable(u"unicode-escapes.txt"_qs, {"pattern", "expected"}); }
    void rewritesUnicodeEscapes()
    {
        QFETCH(QString, pattern);
        QTEST(rewriteUnicodeEscapes(pattern), "expected");
    }
};

QTEST_APPLESS_MAIN(MatchKeysTest)
#include "tst_matchkeys.moc"
