#include "PoFormatDirectives.h"

namespace {

using PoFormatDirectives::Syntax;

// How the directives so far refer to their arguments: a string may not mix "%1$s"
// with "%s" (C), nor "%(name)s" with "%s" (Python).
enum class Arguments { Unknown, Referenced, Sequential };

// Reads one directive from its percent sign on; -1 as its end marks a faulty one.
class DirectiveReader {
public:
    DirectiveReader(QStringView text, Syntax syntax, bool translation)
        : m_text(text), m_syntax(syntax), m_translation(translation)
    {
    }

    qsizetype read(qsizetype percent)
    {
        m_at = percent + 1;
        return m_syntax == Syntax::Python ? readPython() : readC();
    }

private:
    QChar peek(qsizetype ahead = 0) const
    {
        return m_at + ahead < m_text.size() ? m_text[m_at + ahead] : QChar();
    }
    bool isOneOf(const char16_t *characters) const
    {
        return !peek().isNull() && QStringView(characters).contains(peek());
    }
    bool isDigit(qsizetype ahead = 0) const { return peek(ahead) >= u'0' && peek(ahead) <= u'9'; }
    // Skips digits; false when they are "0".
    bool skipNumber()
    {
        bool positive = false;
        for (; isDigit(); ++m_at)
            positive = positive || peek() != u'0';
        return positive;
    }
    bool use(Arguments style)
    {
        if (m_arguments != Arguments::Unknown && m_arguments != style)
            return false;
        m_arguments = style;
        return true;
    }
    // An argument position "N$", where there is one; false for "0$".
    bool readPosition(bool &byPosition)
    {
        byPosition = false;
        qsizetype digits = 0;
        while (isDigit(digits))
            ++digits;
        if (digits == 0 || peek(digits) != u'$')
            return true;
        const bool positive = skipNumber();
        ++m_at;
        byPosition = true;
        return positive;
    }
    // A C width or precision: "*", "*N$" or digits.
    bool readCount()
    {
        if (peek() != u'*') {
            skipNumber();
            return true;
        }
        ++m_at;
        bool byPosition = false;
        if (!readPosition(byPosition))
            return false;
        return use(byPosition ? Arguments::Referenced : Arguments::Sequential);
    }
    // A size modifier: "l" suits characters, strings and integers, "ll", "L" and "q" suit
    // integers and floating-point numbers, the others integers alone.
    enum class Size { None, Long, LongLong, Integer };
    Size readSize()
    {
        if (peek() == u'l' && peek(1) == u'l') {
            m_at += 2;
            return Size::LongLong;
        }
        const QChar size = peek();
        if (!isOneOf(u"lLqhjzZt"))
            return Size::None;
        m_at += size == u'h' && peek(1) == u'h' ? 2 : 1;
        return size == u'l' ? Size::Long : size == u'L' || size == u'q' ? Size::LongLong : Size::Integer;
    }
    // A Python width or precision: "*" takes an argument in order, digits none.
    bool readPythonCount()
    {
        if (peek() != u'*') {
            skipNumber();
            return true;
        }
        ++m_at;
        return use(Arguments::Sequential);
    }
    // A width, then a precision after a ".", each by the syntax's own rule.
    bool readWidthAndPrecision()
    {
        const auto readOne = [this] { return m_syntax == Syntax::Python ? readPythonCount() : readCount(); };
        if (!readOne())
            return false;
        if (peek() != u'.')
            return true;
        ++m_at;
        return readOne();
    }
    bool readInttypesMacro();
    qsizetype readC();
    qsizetype readPython();

    QStringView m_text;
    Syntax m_syntax;
    bool m_translation;
    qsizetype m_at = 0;
    Arguments m_arguments = Arguments::Unknown;
};

// "<PRId64>", "<PRIuLEAST32>", "<PRIxMAX>": the ISO C 99 macros of <inttypes.h>.
bool DirectiveReader::readInttypesMacro()
{
    const QStringView rest = m_text.sliced(m_at);
    for (const char16_t *size : {u"MAX", u"PTR", u"LEAST8", u"LEAST16", u"LEAST32", u"LEAST64", u"FAST8",
                                 u"FAST16", u"FAST32", u"FAST64", u"8", u"16", u"32", u"64"}) {
        for (const char16_t *conversion : {u"d", u"i", u"o", u"u", u"x", u"X"}) {
            const QString macro = QStringLiteral("<PRI%1%2>").arg(QStringView(conversion), QStringView(size));
            if (rest.startsWith(macro)) {
                m_at += macro.size() - 1;
                return true;
            }
        }
    }
    return false;
}

qsizetype DirectiveReader::readC()
{
    bool byPosition = false;
    if (!readPosition(byPosition))
        return -1;
    while (isOneOf(u" +-#0'") || (m_translation && peek() == u'I'))
        ++m_at;
    if (!readWidthAndPrecision())
        return -1;
    bool takesArgument = true;
    if (peek() == u'<') {
        if (!readInttypesMacro())
            return -1;
    } else {
        const Size size = readSize();
        if (isOneOf(u"%m"))
            takesArgument = false;
        else if (isOneOf(u"cs") ? size != Size::None && size != Size::Long
                 : isOneOf(u"eEfFgGaA") ? size != Size::None && size != Size::LongLong
                 : !(isOneOf(u"CSiduoxXpn") || (m_syntax == Syntax::ObjectiveC && peek() == u'@')))
            return -1;
    }
    if (takesArgument && !use(byPosition ? Arguments::Referenced : Arguments::Sequential))
        return -1;
    return m_at;
}

qsizetype DirectiveReader::readPython()
{
    const bool named = peek() == u'(';
    if (named) {
        int depth = 0;
        for (++m_at; !peek().isNull() && (peek() != u')' || depth > 0); ++m_at)
            depth += peek() == u'(' ? 1 : peek() == u')' ? -1 : 0;
        if (peek().isNull())
            return -1;
        ++m_at;
    }
    while (isOneOf(u"-+ #0"))
        ++m_at;
    if (!readWidthAndPrecision())
        return -1;
    if (isOneOf(u"hlL"))
        ++m_at;
    if (!isOneOf(u"%csriduoxXeEfgG"))
        return -1;
    if (named)
        return use(Arguments::Referenced) ? m_at : -1;
    return peek() == u'%' || use(Arguments::Sequential) ? m_at : -1;
}

}

namespace PoFormatDirectives {

QList<bool> interiors(QStringView text, Syntax syntax, bool translation)
{
    QList<bool> inside(text.size(), false);
    if (syntax == Syntax::None)
        return inside;
    DirectiveReader reader(text, syntax, translation);
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at] != u'%')
            continue;
        const qsizetype end = reader.read(at);
        if (end < 0)
            break;
        for (qsizetype k = at + 1; k <= end; ++k)
            inside[k] = true;
        at = end;
    }
    return inside;
}

}
