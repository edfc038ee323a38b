#pragma once

#include <QRegularExpression>
#include <QString>

#include <optional>

// One replacement in translations: of a plain text, or of a regular expression whose
// captures the replacement names as \1 to \99; letter case respected or not. The
// replacement is stored as typed text is (tabs escaped, no line breaks), so the result
// holds neither, as no stored text may.
class TranslationReplacer {
public:
    TranslationReplacer(const QString &find, const QString &replacement, bool expression, bool caseSensitive);

    // A text to find, and an expression that compiles.
    bool isValid() const;
    bool matches(QStringView translation) const;
    // The translation with every match replaced; nothing when nothing matches.
    std::optional<QString> replaced(QStringView translation) const;

private:
    QString m_find;
    QString m_replacement;
    Qt::CaseSensitivity m_case;
    std::optional<QRegularExpression> m_expression;
};
