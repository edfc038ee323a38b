#include "JobStatistics.h"

#include <QHash>

void JobStatistics::addCandidate(const QString &so)
{
    m_candidates.push_back(qHash(so));
}

void JobStatistics::addReferenceKey(const QString &r1)
{
    m_referenceKeys.insert(qHash(r1));
}

void JobStatistics::addMatch(QStringView so, QStringView sh, QStringView sk, QStringView st,
                             const QString &unfoldedKey)
{
    // A to-do entry matched by several reference translations counts once.
    const size_t hash = qHash(so);
    if (m_matched.contains(hash))
        return;
    m_matched.insert(hash);
    if (!sk.isEmpty())
        ++m_rules[Accelerator];
    if (st.contains(QStringLiteral("\\t")))
        ++m_rules[Shortcut];
    if (!sh.isEmpty() || st.startsWith(u' '))
        ++m_rules[Spaces];
    qsizetype spaces = 0;
    while (spaces < st.size() && st[spaces] == u' ')
        ++spaces;
    const QStringView afterSpaces = st.mid(spaces);
    if (afterSpaces.startsWith(u':') || afterSpaces.startsWith(u"..."))
        ++m_rules[TrailingMark];
    if (m_caseCounting == CaseCounting::Counted && !m_referenceKeys.contains(qHash(unfoldedKey)))
        ++m_rules[LetterCase];
}

qint64 JobStatistics::translatedCandidates() const
{
    qint64 count = 0;
    for (const size_t hash : m_candidates) {
        if (m_matched.contains(hash))
            ++count;
    }
    return count;
}
