#include "ErrorReport.h"
#include "MatchKeys.h"
#include "ProcessingOptions.h"

#include <QTest>

Q_DECLARE_METATYPE(ProcessingOptions)

namespace {

using Change = void (*)(ProcessingOptions &);

ProcessingOptions full(Change change = nullptr)
{
    ProcessingOptions options = ProcessingOptions::full();
    if (change)
        change(options);
    return options;
}

// The full preset with the bracket fragments that accept round brackets only.
ProcessingOptions fullRoundBrackets()
{
    return full([](ProcessingOptions &o) {
        o.txtrAndXBK1 = QStringLiteral("\\(");
        o.txtrAndXBK2 = QStringLiteral("\\)");
    });
}

ProcessingOptions fullUpperCase()
{
    return full([](ProcessingOptions &o) { o.chkaUpperCase = true; });
}

// Texts that reduce alike on both sides.
const QStringList MeetingTexts{
    QStringLiteral("&Save As...\\tCtrl+S"), QStringLiteral("  另存为(&A)...  "), QStringLiteral("File name:"),
    QStringLiteral("文件名："), QStringLiteral("请稍候…"), QStringLiteral("&文件"), QStringLiteral("..."),
    QStringLiteral("café"), QStringLiteral("Ｆｕｌｌ ñ"),
};

// Texts that every rule would change if its option were on.
const QStringList DecoratedTexts = MeetingTexts + QStringList{QStringLiteral(" A & B "), QStringLiteral(" A ")};

}

class MatchKeysTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void normalisesReferencePair_data()
    {
        QTest::addColumn<ProcessingOptions>("options");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("translation");
        QTest::addColumn<QString>("r1");
        QTest::addColumn<QString>("r2");

        for (const auto &[name, options] : {std::pair("round brackets", fullRoundBrackets()),
                                            std::pair("four bracket kinds", full())}) {
            QTest::addRow("worked example, %s", name)
                << options << QStringLiteral("Save &As...") << QStringLiteral("另存为(&A)...")
                << QStringLiteral("Save As") << QStringLiteral("另存为");
            QTest::addRow("every decoration, %s", name)
                << options << QStringLiteral("  &Open File...\\tCtrl+O") << QStringLiteral(" 打开文件(&O)...\\tCtrl+O")
                << QStringLiteral("Open File") << QStringLiteral("打开文件");
        }
        QTest::newRow("square bracket with four kinds") << full() << QStringLiteral("&Open") << QStringLiteral("打开[&O]")
                                                        << QStringLiteral("Open") << QStringLiteral("打开");
        QTest::newRow("square bracket with round only") << fullRoundBrackets() << QStringLiteral("&Open")
                                                         << QStringLiteral("打开[&O]") << QStringLiteral("Open")
                                                         << QStringLiteral("打开[&O]");
        QTest::newRow("bracket marker before space") << full() << QStringLiteral("x") << QStringLiteral("打开(& )")
                                                     << QStringLiteral("x") << QStringLiteral("打开(& )");
        QTest::newRow("wide accelerator") << full() << QStringLiteral("&File") << QStringLiteral("&文件")
                                          << QStringLiteral("File") << QStringLiteral("文件");
        QTest::newRow("wide accelerator off")
            << full([](ProcessingOptions &o) { o.chkrAndXEER = false; }) << QStringLiteral("&File")
            << QStringLiteral("&文件") << QStringLiteral("File") << QStringLiteral("&文件");
        QTest::newRow("wide rule needs a wide character") << full() << QStringLiteral("x") << QStringLiteral("文件&F")
                                                          << QStringLiteral("x") << QStringLiteral("文件&F");

        QTest::newRow("single ampersand") << full() << QStringLiteral("&") << QStringLiteral("&")
                                          << QStringLiteral("&") << QStringLiteral("&");
        QTest::newRow("trailing ampersand") << full() << QStringLiteral("Save&") << QStringLiteral("保存&")
                                            << QStringLiteral("Save&") << QStringLiteral("保存&");
        QTest::newRow("two lone ampersands") << full() << QStringLiteral("A&B&C") << QStringLiteral("甲(&B)乙(&C)")
                                             << QStringLiteral("A&B&C") << QStringLiteral("甲(&B)乙(&C)");
        QTest::newRow("escaped ampersand") << full() << QStringLiteral("Tom && Jerry") << QStringLiteral("&&汤姆")
                                           << QStringLiteral("Tom && Jerry") << QStringLiteral("&&汤姆");
        QTest::newRow("escaped ampersand then marker") << full() << QStringLiteral("&&&Tom && &Jerry")
                                                       << QStringLiteral("x") << QStringLiteral("&&&Tom && &Jerry")
                                                       << QStringLiteral("x");
        QTest::newRow("odd run before letter") << full() << QStringLiteral("&&&X") << QStringLiteral("x")
                                               << QStringLiteral("&&X") << QStringLiteral("x");
        QTest::newRow("marker before space") << full() << QStringLiteral("A & B") << QStringLiteral("甲和乙")
                                             << QStringLiteral("A  B") << QStringLiteral("甲和乙");

        QTest::newRow("only an ellipsis") << full() << QStringLiteral("...") << QStringLiteral("...")
                                          << QString() << QString();
        QTest::newRow("double colon") << full() << QStringLiteral("Exit::") << QStringLiteral("退出::")
                                      << QStringLiteral("Exit::") << QStringLiteral("退出::");
        QTest::newRow("four dots") << full() << QStringLiteral("Wait....") << QStringLiteral("等待....")
                                   << QStringLiteral("Wait....") << QStringLiteral("等待....");
        QTest::newRow("one wide ellipsis") << full() << QStringLiteral("x") << QStringLiteral("等待…")
                                           << QStringLiteral("x") << QStringLiteral("等待");
        QTest::newRow("two wide ellipses") << full() << QStringLiteral("x") << QStringLiteral("等待……")
                                           << QStringLiteral("x") << QStringLiteral("等待");
        QTest::newRow("three wide ellipses") << full() << QStringLiteral("x") << QStringLiteral("等待………")
                                             << QStringLiteral("x") << QStringLiteral("等待………");
        QTest::newRow("colon anywhere keeps ellipsis") << full() << QStringLiteral("Note: more...")
                                                       << QStringLiteral("注意: 更多...") << QStringLiteral("Note: more...")
                                                       << QStringLiteral("注意: 更多...");
        QTest::newRow("colon anywhere keeps wide ellipsis") << full() << QStringLiteral("x") << QStringLiteral("比例: 1…")
                                                            << QStringLiteral("x") << QStringLiteral("比例: 1…");
        QTest::newRow("wide colon decides before wide ellipsis") << full() << QStringLiteral("x")
                                                                 << QStringLiteral("请稍候…：") << QStringLiteral("x")
                                                                 << QStringLiteral("请稍候…");
        QTest::newRow("ellipsis decides before wide colon") << full() << QStringLiteral("x")
                                                            << QStringLiteral("注意：稍候...") << QStringLiteral("x")
                                                            << QStringLiteral("注意：稍候");
        QTest::newRow("colon off removes nothing")
            << full([](ProcessingOptions &o) { o.chkaBanMaoHao = false; }) << QStringLiteral("Name:")
            << QStringLiteral("名称:") << QStringLiteral("Name:") << QStringLiteral("名称:");
        QTest::newRow("wide colon") << full() << QStringLiteral("File name:") << QStringLiteral("文件名：")
                                    << QStringLiteral("File name") << QStringLiteral("文件名");
        QTest::newRow("wide marks stay on the source") << full() << QStringLiteral("Name：…") << QStringLiteral("x")
                                                       << QStringLiteral("Name：…") << QStringLiteral("x");

        QTest::newRow("shortcut") << full() << QStringLiteral("Open\\tCtrl+O") << QStringLiteral("打开\\tCtrl+O")
                                  << QStringLiteral("Open") << QStringLiteral("打开");
        QTest::newRow("shortcut with lone backslash") << full() << QStringLiteral("C\\Data\\tCtrl+S")
                                                      << QStringLiteral("x") << QStringLiteral("C\\Data\\tCtrl+S")
                                                      << QStringLiteral("x");
        QTest::newRow("second escaped tab") << full() << QStringLiteral("A\\tB\\tC") << QStringLiteral("x")
                                            << QStringLiteral("A\\tB\\tC") << QStringLiteral("x");
        QTest::newRow("escaped backslash") << full() << QStringLiteral("Path \\\\ X\\tCtrl+P") << QStringLiteral("x")
                                           << QStringLiteral("Path \\\\ X") << QStringLiteral("x");
        QTest::newRow("nothing after escaped tab") << full() << QStringLiteral("Open\\t") << QStringLiteral("x")
                                                   << QStringLiteral("Open\\t") << QStringLiteral("x");

        QTest::newRow("spaces") << full() << QStringLiteral("  Open  ") << QStringLiteral(" 打开 ")
                                << QStringLiteral("Open") << QStringLiteral("打开");
        QTest::newRow("one-character key") << full() << QStringLiteral(" A ") << QStringLiteral(" 甲 ")
                                           << QStringLiteral("A") << QStringLiteral("甲");
        QTest::newRow("leading spaces only")
            << full([](ProcessingOptions &o) { o.chkaRTrimSpace = false; }) << QStringLiteral("  Open  ")
            << QStringLiteral(" 打开 ") << QStringLiteral("Open  ") << QStringLiteral("打开 ");
        QTest::newRow("trailing spaces only")
            << full([](ProcessingOptions &o) { o.chkaLTrimSpace = false; }) << QStringLiteral("  Open  ")
            << QStringLiteral(" 打开 ") << QStringLiteral("  Open") << QStringLiteral(" 打开");
        QTest::newRow("ideographic space and tab stay") << full() << QStringLiteral("Open\u3000")
                                                        << QStringLiteral("打开\t") << QStringLiteral("Open\u3000")
                                                        << QStringLiteral("打开\t");
        QTest::newRow("unicode escape in bracket fragment")
            << full([](ProcessingOptions &o) {
                   o.txtrAndXBK1 = QStringLiteral("\\uFF08");
                   o.txtrAndXBK2 = QStringLiteral("\\uFF09");
               })
            << QStringLiteral("&Open") << QStringLiteral("打开（&O）") << QStringLiteral("Open") << QStringLiteral("打开");
        QTest::newRow("case is kept") << fullUpperCase() << QStringLiteral("Café") << QStringLiteral("咖啡")
                                      << QStringLiteral("Café") << QStringLiteral("咖啡");
    }
    void normalisesReferencePair()
    {
        QFETCH(ProcessingOptions, options);
        QFETCH(QString, source);
        QFETCH(QString, translation);
        const ReferencePair pair = MatchKeyRules(options).NormaliseReferencePair(source, translation);
        QTEST(pair.r1, "r1");
        QTEST(pair.r2, "r2");
    }

    void splitsSourceParts_data()
    {
        QTest::addColumn<ProcessingOptions>("options");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("parts");

        auto row = [](const char *name, const ProcessingOptions &options, const QString &source,
                      const QStringList &parts) { QTest::newRow(name) << options << source << parts; };
        row("worked example", fullUpperCase(), QStringLiteral("&Save As...\\tCtrl+S"),
            {"", "SAVE AS", "(&S)", "...\\tCtrl+S"});
        row("worked example, case kept", full(), QStringLiteral("&Save As...\\tCtrl+S"),
            {"", "Save As", "(&S)", "...\\tCtrl+S"});
        row("letter upper-cased regardless", full(), QStringLiteral("E&xit"), {"", "Exit", "(&X)", ""});
        row("own bracket texts", full([](ProcessingOptions &o) {
                o.txttAndXBK1 = QStringLiteral("[");
                o.txttAndXBK2 = QStringLiteral("]");
            }),
            QStringLiteral("&Open"), {"", "Open", "[&O]", ""});
        row("single ampersand", full(), QStringLiteral("&"), {"", "&", "", ""});
        row("trailing ampersand", full(), QStringLiteral("Save&"), {"", "Save&", "", ""});
        row("two lone ampersands", full(), QStringLiteral("A&B&C"), {"", "A&B&C", "", ""});
        row("escaped ampersand", full(), QStringLiteral("Tom && Jerry"), {"", "Tom && Jerry", "", ""});
        row("escaped ampersand then marker", full(), QStringLiteral("Tom && &Jerry"), {"", "Tom && Jerry", "(&J)", ""});
        row("marker before space", full(), QStringLiteral("A & B"), {"", "A & B", "", ""});
        row("only an ellipsis", full(), QStringLiteral("..."), {"", "", "", "..."});
        row("double colon", full(), QStringLiteral("Exit::"), {"", "Exit::", "", ""});
        row("four dots", full(), QStringLiteral("Wait...."), {"", "Wait....", "", ""});
        row("colon anywhere keeps ellipsis", full(), QStringLiteral("Note: more..."), {"", "Note: more...", "", ""});
        row("wide marks stay", full(), QStringLiteral("文件名："), {"", "文件名：", "", ""});
        row("decorations in text order", full(), QStringLiteral("  &Open file:  \\tCtrl+O"),
            {"  ", "Open file", "(&O)", ":  \\tCtrl+O"});
        row("shortcut with lone backslash", full(), QStringLiteral("C\\Data\\tCtrl+S"),
            {"", "C\\Data\\tCtrl+S", "", ""});
        row("second escaped tab", full(), QStringLiteral("A\\tB\\tC"), {"", "A\\tB\\tC", "", ""});
        row("escaped backslash", full(), QStringLiteral("Path \\\\ X\\tCtrl+P"), {"", "Path \\\\ X", "", "\\tCtrl+P"});
        row("nothing after escaped tab", full(), QStringLiteral("Open\\t"), {"", "Open\\t", "", ""});
        row("one-character key keeps its spaces", full(), QStringLiteral(" A "), {"", " A ", "", ""});
        row("leading spaces only", full([](ProcessingOptions &o) { o.chkaRTrimSpace = false; }),
            QStringLiteral("  Open  "), {"  ", "Open  ", "", ""});
        row("trailing spaces only", full([](ProcessingOptions &o) { o.chkaLTrimSpace = false; }),
            QStringLiteral("  Open  "), {"", "  Open", "", "  "});
        row("ideographic space and tab stay", full(), QStringLiteral(" Open\u3000\t"), {" ", "Open\u3000\t", "", ""});
        row("ascii letters folded only", fullUpperCase(), QStringLiteral("Café Ｆｕｌｌ"), {"", "CAFé Ｆｕｌｌ", "", ""});
        row("wide letter upper-cased in suffix", fullUpperCase(), QStringLiteral("&ñu"), {"", "ñU", "(&Ñ)", ""});
        row("letter outside the basic plane", full(), QStringLiteral("&\U0001D41Ax"),
            {"", "\U0001D41Ax", "(&\U0001D41A)", ""});
    }
    void splitsSourceParts()
    {
        QFETCH(ProcessingOptions, options);
        QFETCH(QString, source);
        const SourceParts parts = MatchKeyRules(options).SplitSourceParts(source);
        QTEST(QStringList({parts.sh, parts.sm, parts.sk, parts.st}), "parts");
    }

    void redressesTranslation_data()
    {
        QTest::addColumn<bool>("leaveOutSuffix");
        QTest::addColumn<QString>("expected");
        QTest::newRow("with suffix") << false << QStringLiteral(" 另存为(&S)...\\tCtrl+S");
        QTest::newRow("without suffix") << true << QStringLiteral(" 另存为...\\tCtrl+S");
    }
    void redressesTranslation()
    {
        QFETCH(bool, leaveOutSuffix);
        ProcessingOptions options = ProcessingOptions::full();
        options.chkNotAddANDX = leaveOutSuffix;
        const QString translation = MatchKeyRules(options).RedressTranslation(
            QStringLiteral(" "), QStringLiteral("另存为"), QStringLiteral("(&S)"), QStringLiteral("...\\tCtrl+S"));
        QTEST(translation, "expected");
    }

    // Identical texts must always meet, whatever the case option says.
    void identicalTextsMeet_data()
    {
        QTest::addColumn<ProcessingOptions>("options");
        QTest::newRow("case kept") << full();
        QTest::newRow("case folded") << fullUpperCase();
        QTest::newRow("round brackets") << fullRoundBrackets();
    }
    void identicalTextsMeet()
    {
        QFETCH(ProcessingOptions, options);
        const MatchKeyRules rules(options);
        for (const QString &text : MeetingTexts) {
            QString r1 = rules.NormaliseReferencePair(text, text).r1;
            if (options.chkaUpperCase) {
                for (QChar &c : r1) {
                    if (c >= u'a' && c <= u'z')
                        c = QChar(c.unicode() - 32);
                }
            }
            QCOMPARE(rules.SplitSourceParts(text).sm, r1);
        }
    }

    void everyOptionOffKeepsText_data()
    {
        QTest::addColumn<ProcessingOptions>("options");
        QTest::newRow("minimal preset") << ProcessingOptions::minimal();
        QTest::newRow("nothing set") << ProcessingOptions();
    }
    void everyOptionOffKeepsText()
    {
        QFETCH(ProcessingOptions, options);
        const MatchKeyRules rules(options);
        for (const QString &text : DecoratedTexts) {
            const ReferencePair pair = rules.NormaliseReferencePair(text, text);
            QCOMPARE(pair.r1, text);
            QCOMPARE(pair.r2, text);
            const SourceParts parts = rules.SplitSourceParts(text);
            QCOMPARE(QStringList({parts.sh, parts.sm, parts.sk, parts.st}), QStringList({"", text, "", ""}));
        }
    }

    void rejectsInvalidBracketFragment_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::newRow("unbalanced group") << QStringLiteral("(") << QStringLiteral("\\)");
        QTest::newRow("unmatched closing bracket") << QStringLiteral("\\(") << QStringLiteral(")");
        QTest::newRow("quantifier out of order") << QStringLiteral("x{2,1}") << QStringLiteral("\\)");
        QTest::newRow("bad code point") << QStringLiteral("\\u12") << QStringLiteral("\\)");
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
            QVERIFY(error.description().contains(QStringLiteral("[参照]带有&X译文的两边括号")));
            QVERIFY(error.description().contains(left));
        }
    }

    void rewritesUnicodeEscapes_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QStringLiteral("a(b)") << QStringLiteral("a(b)");
        QTest::newRow("escape") << QStringLiteral("\\u007F") << QStringLiteral("\\x{007F}");
        QTest::newRow("class range") << QStringLiteral("[\\u007F-\\uffff]") << QStringLiteral("[\\x{007F}-\\x{ffff}]");
        QTest::newRow("escaped backslash") << QStringLiteral("\\\\u0041") << QStringLiteral("\\\\u0041");
        QTest::newRow("escaped backslash then escape") << QStringLiteral("\\\\\\u0041") << QStringLiteral("\\\\\\x{0041}");
        QTest::newRow("other escapes") << QStringLiteral("\\(\\t\\.") << QStringLiteral("\\(\\t\\.");
        QTest::newRow("too few digits") << QStringLiteral("\\u12") << QStringLiteral("\\u12");
        QTest::newRow("not hexadecimal") << QStringLiteral("\\u12G4") << QStringLiteral("\\u12G4");
        QTest::newRow("lone backslash at end") << QStringLiteral("a\\") << QStringLiteral("a\\");
    }
    void rewritesUnicodeEscapes()
    {
        QFETCH(QString, pattern);
        QTEST(rewriteUnicodeEscapes(pattern), "expected");
    }

    void workedExampleRoundTrip()
    {
        ProcessingOptions options = fullRoundBrackets();
        options.chkaUpperCase = true;
        const MatchKeyRules rules(options);
        const SourceParts parts = rules.SplitSourceParts(QStringLiteral("&Save As...\\tCtrl+S"));
        const ReferencePair pair = rules.NormaliseReferencePair(QStringLiteral("Save &As..."), QStringLiteral("另存为(&A)..."));
        QCOMPARE(pair.r1.toUpper(), parts.sm);
        QCOMPARE(rules.RedressTranslation(parts.sh, pair.r2, parts.sk, parts.st), QStringLiteral("另存为(&S)...\\tCtrl+S"));
    }
};

QTEST_APPLESS_MAIN(MatchKeysTest)
#include "tst_matchkeys.moc"
