#include "../engine/JobFixture.h"

#include "cInifile.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

// A table's text with \e standing for ESC.
QString controlled(QString text)
{
    return text.replace(u"\\e"_qs, u"\x1b"_qs);
}

// Copies "NAME<FILE" items from tests/data and writes "ini:KEY=VALUE" items into the
// quality checks' section of the program folder's Tallyra.ini.
void prepare(const JobFolder &folder, const QString &items)
{
    for (const QString &item : items.split(u' ', Qt::SkipEmptyParts)) {
        if (item.startsWith(u"ini:")) {
            cInifile ini(folder.path(u"app/Tallyra.ini"_qs), u"QualityChecks"_qs);
            writeIniValue(ini, item.mid(4).section(u'=', 0, 0), item.section(u'=', 1));
        } else {
            folder.writeBytes(controlled(item.section(u'<', 0, 0)), testData(item.section(u'<', 1)));
        }
    }
}

// A table's lines: "\n" between them, "\\" for a backslash of their own.
QString tableLines(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral(R"((?<!\\)\\n)"));
    return text.split(lineBreak).replaceInStrings(u"\\\\"_qs, u"\\"_qs).join(u'\n');
}

// The lines of the output before the summary, which follows an empty line.
QString findingLines(const QString &out)
{
    return out.left(qMax(0, out.indexOf(u"\n\n"_qs) + 1)).trimmed();
}

}

class TestCheckCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void check_data()
    {
        addTestTable(u"checkcli/runs.txt"_qs, {"extra", "arguments", "exit", "findings", "summary", "error"});
    }

    // Each format with one planted fault, the rules chosen, and the refusals.
    void check()
    {
        QFETCH(QString, extra);
        QFETCH(QString, arguments);
        QFETCH(QString, exit);
        QFETCH(QString, findings);
        QFETCH(QString, summary);
        QFETCH(QString, error);
        JobFolder folder;
        folder.copyData(u"checkcli"_qs);
        prepare(folder, extra);
        QProcess cli;
        cli.setWorkingDirectory(folder.path(QString()));
        cli.start(QStringLiteral(TALLYRA_CLI_PATH), QStringList{u"--app-folder"_qs, folder.path(u"app"_qs)}
                                                        + controlled(arguments).split(u' '));
        QVERIFY(cli.waitForFinished(60000));
        const QString out = QString::fromUtf8(cli.readAllStandardOutput());
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        QCOMPARE(cli.exitCode(), exit.toInt());
        QCOMPARE(findingLines(out), tableLines(findings));
        for (const QString &line : tableLines(summary).split(u'\n', Qt::SkipEmptyParts))
            QVERIFY2(out.contains(line), qPrintable(out));
        QVERIFY2(err.contains(error), qPrintable(err));
        QCOMPARE(err.isEmpty(), error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCheckCli)
#include "tst_checkcli.moc"
