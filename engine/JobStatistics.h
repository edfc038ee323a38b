#pragma once

#include <QSet>
#include <QString>

#include <vector>

// Counts for the closing summary of a job: how many untranslated to-do entries there
// were, how many found a translation, and which decorations had to be cut from the
// found ones before their key matched.
class JobStatistics {
public:
    enum Rule { Accelerator, Shortcut, Spaces, TrailingMark, LetterCase, RuleCount };

    // The to-do loader: one untranslated entry went into the match table.
    void addCandidate(const QString &so);
    // The reference loader of a case-insensitive job: an exact reference key.
    void addReferenceKey(const QString &r1);
    // The result writer: one row of the match result (so, sh, r2, sk, st) and the key
    // of its entry before upper-casing.
    void addMatch(QStringView so, QStringView sh, QStringView sk, QStringView st, const QString &unfoldedKey);

    qint64 candidates() const { return static_cast<qint64>(m_candidates.size()); }
    qint64 translatedCandidates() const;
    qint64 hitsNeeding(Rule rule) const { return m_rules[rule]; }
    // Letter case only matters in a case-insensitive job, and can only be judged when
    // the reference keys were read (not from a purified database).
    enum class CaseCounting { NotNeeded, Counted, Unknown };
    CaseCounting caseCounting() const { return m_caseCounting; }
    void setCaseCounting(CaseCounting counting) { m_caseCounting = counting; }

private:
    std::vector<size_t> m_candidates;
    QSet<size_t> m_referenceKeys;
    QSet<size_t> m_matched;
    qint64 m_rules[RuleCount] = {};
    CaseCounting m_caseCounting = CaseCounting::NotNeeded;
};
