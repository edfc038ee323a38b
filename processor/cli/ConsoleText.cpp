#include "ConsoleText.h"

#include <algorithm>

namespace {

// What is escaped: every unprintable character and the backslash (a name), the same
// but line breaks (a message), or the unprintable characters only (a line of text).
enum class Escaping { Name, LineBreaksKept, UnprintableOnly };

void appendEscaped(QString &out, char32_t c)
{
    switch (c) {
    case U'\\': out += QStringLiteral("\\\\"); return;
    case U'\t': out += QStringLiteral("\\t"); return;
    case U'\n': out += QStringLiteral("\\n"); return;
    case U'\r': out += QStringLiteral("\\r"); return;
    default: break;
    }
    out += c < 0x100 ? QStringLiteral("\\x%1").arg(uint(c), 2, 16, QChar(u'0')) : QStringLiteral("\\u{%1}").arg(uint(c), 0, 16);
}

// The code point at the index and how many UTF-16 units it takes.
std::pair<char32_t, qsizetype> codePointAt(QStringView text, qsizetype at)
{
    if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
        return {QChar::surrogateToUcs4(text[at], text[at + 1]), 2};
    return {text[at].unicode(), 1};
}

QString escaped(QStringView text, Escaping escaping)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype at = 0; at < text.size();) {
        const auto [c, length] = codePointAt(text, at);
        const bool lineBreak = c == U'\n' || (c == U'\r' && text.mid(at + 1).startsWith(u'\n'));
        if (escaping == Escaping::LineBreaksKept && lineBreak) {
            if (c == U'\n')
                out += u'\n';
        } else if ((escaping == Escaping::Name && c == U'\\') || !QChar::isPrint(c)) {
            appendEscaped(out, c);
        } else {
            out += text.mid(at, length);
        }
        at += length;
    }
    return out;
}

}

QString lineText(QStringView text)
{
    return escaped(text, Escaping::UnprintableOnly);
}

QString shownName(const QString &name)
{
    return escaped(name, Escaping::Name);
}

QString consoleText(const QString &text, const QStringList &names)
{
    QStringList longestFirst;
    for (const QString &name : names) {
        if (shownName(name) != name)
            longestFirst << name;
    }
    std::sort(longestFirst.begin(), longestFirst.end(),
              [](const QString &a, const QString &b) { return a.size() > b.size(); });
    QString result;
    qsizetype plainFrom = 0;
    for (qsizetype at = 0; at < text.size();) {
        const auto name = std::find_if(longestFirst.cbegin(), longestFirst.cend(),
                                       [&](const QString &candidate) { return QStringView(text).mid(at).startsWith(candidate); });
        if (name == longestFirst.cend()) {
            ++at;
            continue;
        }
        result += escaped(QStringView(text).mid(plainFrom, at - plainFrom), Escaping::LineBreaksKept) + shownName(*name);
        at += name->size();
        plainFrom = at;
    }
    return result + escaped(QStringView(text).mid(plainFrom), Escaping::LineBreaksKept);
}
