#include "JobDriver.h"

#include "ErrorReport.h"
#include "formats/DictionaryFormats.h"
#include "InputFile.h"
#include "JobSettings.h"
#include "PurifiedDatabase.h"

#include <QFileInfo>

namespace {

QString absolute(const QString &path)
{
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

// Both dictionaries are looked at before anything reads them, so that a missing,
// unreadable or special file (a FIFO would block the job for ever) is named with its
// reason instead of passing for an unrecognised format.
void checkInputFiles(const JobFiles &files)
{
    requireReadableInput(files.todo, InputRole::Todo);
    requireReadableInput(files.reference, InputRole::Reference);
}

[[noreturn]] void raiseUnrecognised(bool todo, bool reference, const JobFiles &files)
{
    if (todo && reference)
        Errors::raiseText(QStringLiteral("不能检测出“未译字典”或“参照字典”的文件格式"));
    Errors::raiseText(todo ? unrecognisedFormatText(InputRole::Todo) + QStringLiteral(": ") + files.todo
                           : unrecognisedFormatText(InputRole::Reference) + QStringLiteral(": ") + files.reference);
}

}

JobDriver::JobDriver(const QString &errorLocation) : m_errorLocation(errorLocation)
{
}

JobOutcome JobDriver::run(const JobFiles &files, const ProcessingOptions &options, JobObserver &observer)
{
    try {
        return start(files, options, observer);
    } catch (const AppError &error) {
        const ErrorReport report = error.reportAt(m_errorLocation);
        observer.errorReported(report);
        return {JobOutcome::Kind::NotStarted, report};
    }
}

JobOutcome JobDriver::start(const JobFiles &named, const ProcessingOptions &options, JobObserver &observer)
{
    const JobFiles files{absolute(named.todo), absolute(named.reference), absolute(named.output)};
    checkInputFiles(files);
    m_statistics = JobStatistics();
    if (options.chkaUpperCase)
        m_statistics.setCaseCounting(JobStatistics::CaseCounting::Unknown);
    JobSettings settings(options);

    m_referenceDatabasePath = IsPurifiedDatabase(files.reference) ? files.reference : QString();
    if (m_referenceDatabasePath.isEmpty())
        rejectLegacyDatabase(files.reference);
    QString pair;
    const DictionaryFormat *todoFormat = DetectDictionaryFormat(files.todo, &pair);
    if (!m_referenceDatabasePath.isEmpty() && !m_purifiedReferencePair.isEmpty())
        pair = m_purifiedReferencePair;
    const DictionaryFormat *referenceFormat = m_referenceDatabasePath.isEmpty()
        ? DetectDictionaryFormat(files.reference, &pair)
        : &DictionaryFormats::purifiedDatabase();
    const bool todoUnusable = !todoFormat || !todoFormat->todo;
    const bool referenceUnusable = !referenceFormat || !referenceFormat->reference;
    if (todoUnusable || referenceUnusable)
        raiseUnrecognised(todoUnusable, referenceUnusable, files);
    // A job of formats without a language line keeps the pair of the job before it.
    if (todoFormat->languageLine || referenceFormat->languageLine)
        m_languagePair = pair;

    settings.referenceDatabasePath = m_referenceDatabasePath;
    settings.languagePair = m_languagePair;
    settings.outputEncoding = encodingOfFile(files.todo);
    FormatPairGenerator generator(settings, files, *todoFormat, *referenceFormat, observer, &m_statistics);
    return generator.Start();
}
