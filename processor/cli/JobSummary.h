#pragma once

#include "JobStatistics.h"

#include <QString>
#include <QTextStream>

#include <array>
#include <optional>

// The counts of the closing summary, as plain numbers that the jobs of a batch hand
// to the batch (one line each) and that the batch adds up.
struct JobSummary {
    qint64 translated = 0;
    qint64 candidates = 0;
    std::array<qint64, JobStatistics::RuleCount> rules = {};
    // False when letter-case hits could not be told (a purified database as reference).
    bool caseKnown = true;
    // The time of the reference stage; -1 when the job did not run it.
    qint64 referenceMs = -1;

    static JobSummary of(const JobStatistics &statistics);
    JobSummary &operator+=(const JobSummary &other);

    // One line that no dictionary output starts with.
    QString resultLine() const;
    static std::optional<JobSummary> fromResultLine(QStringView line);

    // "已预翻译 2 / 3 条未译条目" and the line of rule hits.
    void print(QTextStream &out) const;
};
