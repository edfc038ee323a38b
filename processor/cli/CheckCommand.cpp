#include "CheckCommand.h"

#include "AppFolder.h"
#include "CliOptions.h"
#include "ConsoleText.h"
#include "ErrorReport.h"
#include "InputFile.h"
#include "checks/CheckSettings.h"
#include "checks/Checker.h"
#include "formats/DictionaryFormats.h"
#include "formats/LocatedEntries.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <map>

namespace {

// The rules of Tallyra.ini, or those --rules names; less those --skip-rules names, and
// less the length rule when no limit is given.
void chooseRules(Checker &checker, const CliRequest &request)
{
    const QString iniPath = AppFolder::file(QStringLiteral("Tallyra.ini"));
    if (QFileInfo::exists(iniPath))
        CheckSettings::load(iniPath, checker);
    for (const auto &rule : checker.rules()) {
        if (!request.rules.isEmpty())
            checker.setEnabled(rule->id(), request.rules.contains(rule->id()));
        if (request.skippedRules.contains(rule->id()))
            checker.setEnabled(rule->id(), false);
    }
    checker.setLengthLimit(request.lengthLimit);
    if (request.lengthLimit == 0)
        checker.setEnabled(u"length", false);
}

// The files named, then those of the folder in name order.
QStringList filesToCheck(const CliRequest &request)
{
    QStringList files = request.checkedFiles;
    if (request.checkDir.isEmpty())
        return files;
    QStringList found;
    QDirIterator folder(request.checkDir, DictionaryFormats::checkedNamePatterns(), QDir::Files,
                        request.recursive ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (folder.hasNext())
        found << folder.next();
    found.sort();
    return files + found;
}

// Counts the findings per rule as they go by, so that no finding is kept.
class CheckTally {
public:
    void add(const CheckFinding &finding) { ++m_perRule[finding.ruleId]; }
    int total() const
    {
        int total = 0;
        for (const auto &[rule, count] : m_perRule)
            total += count;
        return total;
    }
    void print(const Checker &checker, QTextStream &out) const
    {
        out << QStringLiteral("\n质量检查: %1 个文件，%2 个条目\n").arg(files).arg(entries);
        for (const auto &rule : checker.rules()) {
            if (checker.isEnabled(rule->id())) {
                const auto found = m_perRule.find(rule->id());
                out << QStringLiteral("  %1(%2): %3\n")
                           .arg(rule->id(), rule->name())
                           .arg(found == m_perRule.end() ? 0 : found->second);
            }
        }
        out << QStringLiteral("共 %1 个问题，%2 个条目有问题\n").arg(total()).arg(entriesWithFindings);
    }

    int files = 0;
    qint64 entries = 0;
    qint64 entriesWithFindings = 0;

private:
    std::map<QString, int> m_perRule;
};

// Why the file cannot be checked before reading it; empty when it may be read.
QString refusal(const QString &path, const DictionaryFormat *&format)
{
    if (const InputProblem problem = inputProblem(path); problem != InputProblem::None)
        return inputProblemText(problem, InputRole::File);
    format = DictionaryFormats::checkedFormatFor(path);
    return format ? QString() : QStringLiteral("不是可以检查的字典格式");
}

class FileCheck {
public:
    FileCheck(const Checker &checker, QChar todoMarker, CheckTally &tally, QTextStream &out)
        : m_checker(checker), m_todoMarker(todoMarker.isNull() ? u'&' : todoMarker), m_tally(tally), m_out(out)
    {
    }

    void run(const QString &path, const DictionaryFormat &format)
    {
        const QString shown = shownName(path);
        const QChar marker = format.check->accessKeyMarker.isNull() ? m_todoMarker : format.check->accessKeyMarker;
        const std::unique_ptr<LocatedEntryReader> entries = format.check->openEntries(path);
        LocatedEntry entry;
        while (entries->next(entry)) {
            ++m_tally.entries;
            const CheckedEntry checked{entry.source, entry.translation, entry.status, marker,
                                       PlaceholderSyntaxes::fromFlags(entry.formatFlags)};
            const QList<CheckFinding> findings = m_checker.check(checked);
            for (const CheckFinding &finding : findings) {
                m_out << shown << u':' << entry.line << QStringLiteral(": 条目 ") << entry.number << QStringLiteral(": ")
                      << finding.ruleId << QStringLiteral(": ") << lineText(finding.message) << u'\n';
                m_tally.add(finding);
            }
            m_tally.entriesWithFindings += findings.isEmpty() ? 0 : 1;
        }
        ++m_tally.files;
    }

private:
    const Checker &m_checker;
    QChar m_todoMarker;
    CheckTally &m_tally;
    QTextStream &m_out;
};

}

int runCheck(const CliRequest &request, QTextStream &out, QTextStream &err)
{
    Checker checker;
    chooseRules(checker, request);
    CheckTally tally;
    FileCheck check(checker, request.todoMarker(), tally, out);
    bool failed = false;
    // A folder that is not there would otherwise pass as one without findings.
    if (!request.checkDir.isEmpty() && !QFileInfo(request.checkDir).isDir()) {
        err << consoleText(QStringLiteral("无法检查 %1: 不是文件夹").arg(request.checkDir), {request.checkDir}) << Qt::endl;
        failed = true;
    }
    for (const QString &path : filesToCheck(request)) {
        QString reason;
        try {
            const DictionaryFormat *format = nullptr;
            reason = refusal(path, format);
            if (reason.isEmpty())
                check.run(path, *format);
        } catch (const AppError &error) {
            reason = QStringLiteral("错误 %1: %2").arg(error.number()).arg(error.description());
        }
        if (!reason.isEmpty()) {
            out.flush();
            err << consoleText(QStringLiteral("无法检查 %1: %2").arg(path, reason), {path}) << Qt::endl;
            failed = true;
        }
    }
    tally.print(checker, out);
    out.flush();
    return failed ? 2 : tally.total() > 0 ? 1 : 0;
}
