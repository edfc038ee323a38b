#include "JobDriver.h"

#include "ErrorReport.h"
#include "JobSettings.h"
#include "PurifiedDatabase.h"

#include <QFileInfo>

namespace {

QString absolute(const QString &path)
{
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
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
    if (!todoFormat || !todoFormat->todo || !referenceFormat || !referenceFormat->reference)
        Errors::raiseText(QStringLiteral("不能检测出“未译字典”或“参照字典”的文件格式"));
    // A job of formats without a language line keeps the pair of the job before it.
    if (todoFormat->languageLine || referenceFormat->languageLine)
        m_languagePair = pair;

    settings.referenceDatabasePath = m_referenceDatabasePath;
    settings.languagePair = m_languagePair;
    settings.outputEncoding = encodingOfFile(files.todo);
    FormatPairGenerator generator(settings, files, *todoFormat, *referenceFormat, observer, &m_statistics);
    return generator.Start();
}
