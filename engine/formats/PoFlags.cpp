#include "PoFlags.h"

#include <QRegularExpression>

namespace {

// gettext's format languages in the order its tools write them.
constexpr std::array<const char16_t *, PoFlags::LanguageCount> Languages{{
    u"c", u"objc", u"python", u"python-brace", u"java", u"java-printf", u"csharp", u"javascript",
    u"scheme", u"lisp", u"elisp", u"librep", u"ruby", u"sh", u"awk", u"lua", u"object-pascal",
    u"smalltalk", u"qt", u"qt-plural", u"kde", u"kde-kuit", u"boost", u"tcl", u"perl", u"perl-brace",
    u"php", u"gcc-internal", u"gfc-internal", u"ycp",
}};

bool isSeparator(QChar c)
{
    return c == u' ' || c == u',' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f' || c == u'\v';
}

// The next word of a flags line from the position on, which moves past it.
QStringView nextWord(QStringView words, qsizetype &at)
{
    while (at < words.size() && isSeparator(words[at]))
        ++at;
    const qsizetype start = at;
    while (at < words.size() && !isSeparator(words[at]))
        ++at;
    return words.sliced(start, at - start);
}

}

void PoFlags::read(QStringView words)
{
    qsizetype at = 0;
    for (QStringView word = nextWord(words, at); !word.isEmpty(); word = nextWord(words, at)) {
        if (word == u"fuzzy") {
            m_fuzzy = true;
        } else if (word == u"wrap") {
            m_wrap = Wrap::Yes;
        } else if (word == u"no-wrap") {
            m_wrap = Wrap::No;
        } else if (word == u"range:") {
            static const QRegularExpression range(QStringLiteral("^(\\d+)\\.\\.(\\d+)"));
            const QRegularExpressionMatch match = range.match(nextWord(words, at).toString());
            const int low = match.hasMatch() ? match.capturedView(1).toInt() : -1;
            const int high = match.hasMatch() ? match.capturedView(2).toInt() : -1;
            if (low >= 0 && low <= high) {
                m_rangeMin = low;
                m_rangeMax = high;
            }
        } else if (word.endsWith(u"-format")) {
            readFormat(word.chopped(7));
        }
    }
}

void PoFlags::readFormat(QStringView word)
{
    Format state = Format::Yes;
    for (const auto &[prefix, prefixed] : {std::pair(u"no-", Format::No), std::pair(u"possible-", Format::Possible),
                                           std::pair(u"impossible-", Format::Impossible)}) {
        if (word.startsWith(prefix)) {
            word = word.sliced(QStringView(prefix).size());
            state = prefixed;
            break;
        }
    }
    for (int language = 0; language < LanguageCount; ++language) {
        if (word == Languages[language])
            m_formats[language] = state;
    }
}

PoFormatDirectives::Syntax PoFlags::directiveSyntax() const
{
    using PoFormatDirectives::Syntax;
    for (int language = 0; language < LanguageCount; ++language) {
        if (m_formats[language] == Format::Yes || m_formats[language] == Format::Possible) {
            constexpr Syntax Parsed[] = {Syntax::C, Syntax::ObjectiveC, Syntax::Python};
            return language < 3 ? Parsed[language] : Syntax::None;
        }
    }
    return Syntax::None;
}

QString PoFlags::formatWord(int language) const
{
    switch (m_formats[language]) {
    case Format::Yes:
    case Format::Possible: return QString::fromUtf16(Languages[language]) + QStringLiteral("-format");
    case Format::No: return QStringLiteral("no-") + QString::fromUtf16(Languages[language]) + QStringLiteral("-format");
    case Format::Undecided:
    case Format::Impossible: break;
    }
    return QString();
}

QStringList PoFlags::formats() const
{
    QStringList words;
    for (int language = 0; language < LanguageCount; ++language) {
        if (QString word = formatWord(language); !word.isEmpty())
            words.append(word);
    }
    return words;
}

QString PoFlags::line(bool showFuzzy) const
{
    QStringList words = formats();
    if (m_fuzzy && showFuzzy)
        words.prepend(QStringLiteral("fuzzy"));
    if (m_rangeMin >= 0)
        words.append(QStringLiteral("range: %1..%2").arg(m_rangeMin).arg(m_rangeMax));
    if (m_wrap == Wrap::No)
        words.append(QStringLiteral("no-wrap"));
    return words.isEmpty() ? QString() : QStringLiteral("#, ") + words.join(QStringLiteral(", "));
}
