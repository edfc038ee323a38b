#include "TranslationReplacer.h"

#include "StoredText.h"

TranslationReplacer::TranslationReplacer(const QString &find, const QString &replacement, bool expression,
                                         bool caseSensitive)
    : m_find(find), m_replacement(StoredText::fromTyped(replacement)),
      m_case(caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive)
{
    if (expression) {
        m_expression.emplace(find, caseSensitive ? QRegularExpression::NoPatternOption
                                                 : QRegularExpression::CaseInsensitiveOption);
        m_expression->optimize();
    }
}

bool TranslationReplacer::isValid() const
{
    return !m_find.isEmpty() && (!m_expression || m_expression->isValid());
}

bool TranslationReplacer::matches(QStringView translation) const
{
    return m_expression ? m_expression->match(translation).hasMatch() : translation.contains(m_find, m_case);
}

std::optional<QString> TranslationReplacer::replaced(QStringView translation) const
{
    if (!matches(translation))
        return std::nullopt;
    QString text = translation.toString();
    if (m_expression)
        text.replace(*m_expression, m_replacement);
    else
        text.replace(m_find, m_replacement, m_case);
    return text;
}
