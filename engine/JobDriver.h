#pragma once

#include "JobStatistics.h"
#include "OutputGenerators.h"
#include "ProcessingOptions.h"

#include <QString>

class JobObserver;

// The part of a processor job between pressing Start and the finished result, shared
// by the window and the command-line front: recognises a purified reference database
// and the two formats, keeps the language pair, picks the generator by the format
// pair and runs it. Lives as long as the program, as the job variables do.
class JobDriver {
public:
    // errorLocation names the caller in the error box of the driver's own errors.
    explicit JobDriver(const QString &errorLocation);

    JobOutcome run(const JobFiles &files, const ProcessingOptions &options, JobObserver &observer);

    // The language pair of the dictionary that a purified reference was made from, which
    // the database no longer holds; a job on that database then writes the same pair as
    // a job on the dictionary would.
    void setPurifiedReferencePair(const QString &pair) { m_purifiedReferencePair = pair; }

    const QString &ReferenceDatabasePath() const { return m_referenceDatabasePath; }
    const QString &LanguagePair() const { return m_languagePair; }
    // The counts of the last job.
    const JobStatistics &statistics() const { return m_statistics; }

private:
    JobOutcome start(const JobFiles &files, const ProcessingOptions &options, JobObserver &observer);

    QString m_errorLocation;
    QString m_referenceDatabasePath;
    QString m_languagePair;
    QString m_purifiedReferencePair;
    JobStatistics m_statistics;
};
