#include "Checker.h"

#include "CheckRules.h"
#include "DictionaryEntry.h"

Checker::Checker()
{
    m_rules.push_back(std::make_unique<AccessKeyRule>());
    m_rules.push_back(std::make_unique<ShortcutRule>());
    m_rules.push_back(std::make_unique<EndPunctuationRule>());
    m_rules.push_back(std::make_unique<PlaceholderRule>());
    m_rules.push_back(std::make_unique<OuterSpacesRule>());
    m_rules.push_back(std::make_unique<InnerSpacingRule>());
    m_rules.push_back(std::make_unique<UntranslatedRule>());
    auto length = std::make_unique<LengthRule>();
    m_length = length.get();
    m_rules.push_back(std::move(length));
    m_rules.push_back(std::make_unique<BracketRule>());
    m_enabled.assign(m_rules.size(), true);
}

Checker::~Checker() = default;

qsizetype Checker::indexOf(QStringView id) const
{
    for (size_t i = 0; i < m_rules.size(); ++i) {
        if (m_rules[i]->id() == id)
            return qsizetype(i);
    }
    return -1;
}

const CheckRule *Checker::rule(QStringView id) const
{
    const qsizetype i = indexOf(id);
    return i < 0 ? nullptr : m_rules[i].get();
}

bool Checker::isEnabled(QStringView id) const
{
    const qsizetype i = indexOf(id);
    return i >= 0 && m_enabled[i];
}

bool Checker::setEnabled(QStringView id, bool enabled)
{
    const qsizetype i = indexOf(id);
    if (i >= 0)
        m_enabled[i] = enabled;
    return i >= 0;
}

void Checker::setLengthLimit(int bytes)
{
    m_length->setLimit(bytes);
}

QList<CheckFinding> Checker::check(const CheckedEntry &entry) const
{
    QList<CheckFinding> findings;
    if (entry.translation.isEmpty()
        || (entry.status != EntryStatus::Translated && entry.status != EntryStatus::Review))
        return findings;
    const PreparedEntry prepared(entry);
    for (size_t i = 0; i < m_rules.size(); ++i) {
        if (m_enabled[i])
            m_rules[i]->check(prepared, findings);
    }
    return findings;
}
