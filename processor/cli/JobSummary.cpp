#include "JobSummary.h"

#include <QStringList>

namespace {
const QString ResultTag = QStringLiteral("tallyra-result");
}

JobSummary JobSummary::of(const JobStatistics &statistics)
{
    JobSummary summary;
    summary.translated = statistics.translatedCandidates();
    summary.candidates = statistics.candidates();
    for (int rule = 0; rule < JobStatistics::RuleCount; ++rule)
        summary.rules[rule] = statistics.hitsNeeding(JobStatistics::Rule(rule));
    summary.caseKnown = statistics.caseCounting() != JobStatistics::CaseCounting::Unknown;
    return summary;
}

JobSummary &JobSummary::operator+=(const JobSummary &other)
{
    translated += other.translated;
    candidates += other.candidates;
    for (int rule = 0; rule < JobStatistics::RuleCount; ++rule)
        rules[rule] += other.rules[rule];
    caseKnown = caseKnown && other.caseKnown;
    return *this;
}

QString JobSummary::resultLine() const
{
    QStringList fields{ResultTag, QString::number(translated), QString::number(candidates)};
    for (qint64 hits : rules)
        fields << QString::number(hits);
    fields << QString::number(int(caseKnown)) << QString::number(referenceMs);
    return fields.join(u'\t');
}

std::optional<JobSummary> JobSummary::fromResultLine(QStringView line)
{
    const QList<QStringView> fields = line.split(u'\t');
    if (fields.size() != 5 + JobStatistics::RuleCount || fields[0] != ResultTag)
        return std::nullopt;
    std::array<qint64, 4 + JobStatistics::RuleCount> numbers;
    for (qsizetype i = 1; i < fields.size(); ++i) {
        bool ok = false;
        numbers[i - 1] = fields[i].toLongLong(&ok);
        if (!ok)
            return std::nullopt;
    }
    JobSummary summary;
    summary.translated = numbers[0];
    summary.candidates = numbers[1];
    std::copy_n(numbers.begin() + 2, JobStatistics::RuleCount, summary.rules.begin());
    summary.caseKnown = numbers[2 + JobStatistics::RuleCount] != 0;
    summary.referenceMs = numbers[3 + JobStatistics::RuleCount];
    return summary;
}

void JobSummary::print(QTextStream &out) const
{
    out << QStringLiteral("已预翻译 %1 / %2 条未译条目").arg(translated).arg(candidates) << Qt::endl;
    const QString caseCount = caseKnown ? QString::number(rules[JobStatistics::LetterCase])
                                        : QStringLiteral("不详(参照为已净化的数据库)");
    out << QStringLiteral("命中条目所用的规则: 加速键(&X) %1，快捷键(\\t) %2，前后空格 %3，末尾冒号或省略号 %4，大小写 %5")
               .arg(rules[JobStatistics::Accelerator])
               .arg(rules[JobStatistics::Shortcut])
               .arg(rules[JobStatistics::Spaces])
               .arg(rules[JobStatistics::TrailingMark])
               .arg(caseCount)
        << Qt::endl;
}
