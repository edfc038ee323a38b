#pragma once

#include "JobObserver.h"

#include <QTextStream>

// Prints each finished stage under its caption and every error in the error box's
// words, with the names of the job's files escaped; the running percentages are not
// printed.
class ConsoleObserver : public JobObserver {
public:
    explicit ConsoleObserver(const QStringList &names);
    void stageProgress(int stage, StageProgress progress) override;
    void stageFinished(const StageResult &result) override;
    void errorReported(const ErrorReport &report) override;
    // The error box's text with plain line ends and the names escaped.
    static QString text(const ErrorReport &report, const QStringList &names);
    // The time of the reference stage, -1 when it did not run.
    qint64 referenceMilliseconds() const { return m_referenceMs; }

private:
    QTextStream m_out;
    QTextStream m_err;
    qint64 m_referenceMs = -1;
    QStringList m_names;
};
