#pragma once

#include "JobSummary.h"

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>

// What a batch prints: one line per finished file on standard output, each failure
// with its file name on standard error, the totals at the end, and, only when
// standard error is a terminal, one line that keeps showing files done and time.
class BatchProgress {
public:
    BatchProgress(int total, QTextStream &out, QTextStream &err, bool terminal);

    void fileDone(const QString &name, const JobSummary &summary, qint64 milliseconds);
    void fileFailed(const QString &name, const QString &errorText);
    // Redraws the running line (terminal only).
    void refresh();
    void finish(int skipped);
    int failed() const { return m_failed; }

private:
    void clearLine();

    int m_total;
    int m_done = 0;
    int m_failed = 0;
    JobSummary m_sum;
    QTextStream &m_out;
    QTextStream &m_err;
    bool m_terminal;
    QElapsedTimer m_clock;
};
