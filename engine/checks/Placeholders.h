#pragma once

#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>

// Which placeholder syntaxes a text is read with. A PO entry's format flags decide it
// ("c-format", "no-c-format", "qt-format", "python-brace-format", ...); a text with
// no flags, as every dictionary entry, is read with all three, guessing a little more
// carefully: "50% off" then holds no "% o".
class PlaceholderSyntaxes {
public:
    enum Syntax : unsigned { Printf = 1, Qt = 2, Braces = 4 };

    static PlaceholderSyntaxes unflagged() { return PlaceholderSyntaxes(Printf | Qt | Braces, true); }
    static PlaceholderSyntaxes fromFlags(const QStringList &flags);

    bool has(Syntax syntax) const { return (m_syntaxes & syntax) != 0; }
    // No flag named the syntaxes: only "-" and "0" count as printf flags (a space or
    // "+" after "%" is text), and "${NAME}" is a shell variable, no brace placeholder.
    bool guessed() const { return m_guessed; }
    bool none() const { return m_syntaxes == 0; }

private:
    PlaceholderSyntaxes(unsigned syntaxes, bool guessed) : m_syntaxes(syntaxes), m_guessed(guessed) {}

    unsigned m_syntaxes;
    bool m_guessed;
};

struct Placeholder {
    QStringView text;
    qsizetype position;
    // Printf conversions are told apart by the argument they take (from 1, whether
    // numbered as in "%2$s" or counted) and their text after "%" or "N$" ("s" for "%2$s");
    // the others by their text alone (argument 0).
    int argument;
    QStringView conversion;
};
using Placeholders = QVarLengthArray<Placeholder, 8>;

// The placeholders of a text in order: printf ("%s", "%5.2f", "%1$s", "%(name)s";
// "%%" is a literal percent sign), Qt ("%1" to "%99", "%L1", "%n") and braces ("{0}",
// "{name}", "{0:>8}"; "{{" is a literal brace).
Placeholders findPlaceholders(QStringView text, PlaceholderSyntaxes syntaxes);
bool holdsPlaceholder(QStringView text, PlaceholderSyntaxes syntaxes);
// Whether a text has a character that starts a placeholder of any syntax: a text without
// one reads the same whatever its flags say.
inline bool mayHoldPlaceholder(QStringView text)
{
    return text.contains(u'%') || text.contains(u'{');
}
