#include "DictionaryEntry.h"
#include "TestData.h"
#include "cInifile.h"
#include "checks/CheckSettings.h"
#include "checks/Checker.h"

#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// The tables write a tab character and a line feed as <TAB> and <LF>.
QString unescaped(QString text)
{
    return text.replace(u"<TAB>"_qs, u"\t"_qs).replace(u"<LF>"_qs, u"\n"_qs);
}

// A checker running the one check a table row names ("length:10" sets the limit).
void runOnly(Checker &checker, const QString &rule)
{
    const QStringList parts = rule.split(u':');
    for (const auto &each : checker.rules())
        checker.setEnabled(each->id(), each->id() == parts.first());
    checker.setLengthLimit(parts.size() > 1 ? parts[1].toInt() : 0);
}

PlaceholderSyntaxes syntaxesOf(const QString &flags)
{
    return flags.isEmpty() ? PlaceholderSyntaxes::unflagged() : PlaceholderSyntaxes::fromFlags(flags.split(u','));
}

QStringList enabledIds(const Checker &checker)
{
    QStringList ids;
    for (const auto &rule : checker.rules()) {
        if (checker.isEnabled(rule->id()))
            ids.append(rule->id());
    }
    return ids;
}

CheckedEntry openFileLeftAsIs()
{
    return {u"&Open file", u"&Open file", EntryStatus::Translated};
}

}

class ChecksTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findsProblems_data()
    {
        addTestTable(u"checks/findings.txt"_qs,
                     {"rule", "marker", "flags", "status", "source", "translation", "expected", "position"});
    }
    void findsProblems()
    {
        const auto [rule, marker, flags, status, source, translation, expected, position] =
            fields("rule", "marker", "flags", "status", "source", "translation", "expected", "position");
        Checker checker;
        runOnly(checker, rule);
        const QString sourceText = unescaped(source);
        const QString translationText = unescaped(translation);
        const QList<CheckFinding> findings =
            checker.check({sourceText, translationText, status, marker.front(), syntaxesOf(flags)});
        if (expected.isEmpty()) {
            QVERIFY2(findings.isEmpty(), qPrintable(findings.value(0).message));
            return;
        }
        QCOMPARE(findings.size(), 1);
        QCOMPARE(findings[0].ruleId, rule.section(u':', 0, 0));
        QVERIFY2(findings[0].message.contains(expected), qPrintable(findings[0].message));
        if (!position.isEmpty())
            QCOMPARE(findings[0].position, position.toLongLong());
    }

    void findsPlaceholders_data() { addTestTable(u"checks/placeholders.txt"_qs, {"flags", "text", "expected"}); }
    void findsPlaceholders()
    {
        const auto [flags, text, expected] = fields("flags", "text", "expected");
        QStringList found;
        for (const Placeholder &placeholder : findPlaceholders(text, syntaxesOf(flags)))
            found.append(placeholder.text.toString());
        QCOMPARE(found.join(u' '), expected);
    }

    // The same entry is checked only while it is translated or under review and has a
    // translation; every check, the length check with its limit, reports in turn.
    void checksTranslatedAndReviewedOnly()
    {
        Checker checker;
        checker.setLengthLimit(4);
        const QString source = u"&Open file...\\tCtrl+Shift+O"_qs;
        const QString translation = u"  打开文件\tCtrl+O  ("_qs;
        const QStringList all{u"access-key"_qs, u"shortcut"_qs, u"end-punctuation"_qs, u"outer-spaces"_qs,
                              u"inner-spacing"_qs, u"length"_qs, u"brackets"_qs};
        for (const QString &status : {EntryStatus::Untranslated, EntryStatus::NotToTranslate, EntryStatus::Translated,
                                      EntryStatus::Review}) {
            QStringList ids;
            for (const CheckFinding &finding : checker.check({source, translation, status}))
                ids.append(finding.ruleId);
            ids.removeDuplicates();
            const bool checked = status == EntryStatus::Translated || status == EntryStatus::Review;
            QCOMPARE(ids, checked ? all : QStringList());
        }
        QVERIFY(checker.check({source, QString(), EntryStatus::Translated}).isEmpty());
        QCOMPARE(checker.check(openFileLeftAsIs()).value(0).ruleId, u"untranslated"_qs);
    }

    // The ids are INI keys and command-line words.
    void namesEveryCheckOnce()
    {
        Checker checker;
        QStringList ids;
        for (const auto &rule : checker.rules()) {
            QVERIFY2(QRegularExpression(u"^[a-z]+(-[a-z]+)*$"_qs).match(rule->id()).hasMatch(), qPrintable(rule->id()));
            QVERIFY(!rule->name().isEmpty() && !rule->message().isEmpty());
            QCOMPARE(checker.rule(rule->id()), rule.get());
            ids.append(rule->id());
        }
        QCOMPARE(ids.size(), 9);
        QCOMPARE(ids.removeDuplicates(), 0);
        QCOMPARE(checker.rule(u"no-such-check"), nullptr);
    }

    void switchesChecksByIdAndKeepsThemInTheIni()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"Quillet.ini"_qs);
        Checker checker;
        QVERIFY(!checker.setEnabled(u"no-such-check", false));
        QVERIFY(checker.setEnabled(u"untranslated", false));
        QVERIFY(checker.setEnabled(u"brackets", false));
        QVERIFY(checker.check(openFileLeftAsIs()).isEmpty());
        CheckSettings::save(path, checker);

        Checker loaded;
        CheckSettings::load(path, loaded);
        QCOMPARE(enabledIds(loaded), enabledIds(checker));
        QVERIFY(!enabledIds(loaded).contains(u"brackets"_qs));

        // A check the file does not name, or names with another value, stays on.
        cInifile ini(path, CheckSettings::IniSection);
        ini.setValue(u"untranslated"_qs, u"yes"_qs);
        ini.setKey(u"brackets"_qs);
        ini.DeleteKey();
        CheckSettings::load(path, loaded);
        QCOMPARE(enabledIds(loaded).size(), int(loaded.rules().size()));

        QCOMPARE(errorNumber([&] { CheckSettings::save(dir.filePath(u"missing/Quillet.ini"_qs), checker); }),
                 int(Errors::PathFileAccess));
    }
};

QTEST_APPLESS_MAIN(ChecksTest)
#include "tst_checks.moc"
