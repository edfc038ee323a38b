#include "Placeholders.h"

#include <array>

namespace {

struct FormatFlag {
    QStringView name;  // the flag without "no-" and without "-format"
    unsigned syntaxes;
};

// gettext's format flags by the placeholder syntax of their language; a flag of a
// language not listed ("sh-format", "lisp-format") turns all three off.
const std::array<FormatFlag, 19> FormatFlags{{
    {u"c", PlaceholderSyntaxes::Printf},          {u"possible-c", PlaceholderSyntaxes::Printf},
    {u"objc", PlaceholderSyntaxes::Printf},       {u"python", PlaceholderSyntaxes::Printf},
    {u"php", PlaceholderSyntaxes::Printf},        {u"perl", PlaceholderSyntaxes::Printf},
    {u"javascript", PlaceholderSyntaxes::Printf}, {u"lua", PlaceholderSyntaxes::Printf},
    {u"awk", PlaceholderSyntaxes::Printf},        {u"gcc-internal", PlaceholderSyntaxes::Printf},
    {u"java-printf", PlaceholderSyntaxes::Printf}, {u"qt", PlaceholderSyntaxes::Qt},
    {u"qt-plural", PlaceholderSyntaxes::Qt},      {u"kde", PlaceholderSyntaxes::Qt},
    {u"kde-kuit", PlaceholderSyntaxes::Qt},       {u"python-brace", PlaceholderSyntaxes::Braces},
    {u"csharp", PlaceholderSyntaxes::Braces},     {u"java", PlaceholderSyntaxes::Braces},
    {u"perl-brace", PlaceholderSyntaxes::Braces},
}};

constexpr QStringView PrintfFlagChars = u"-+ #0'I";
constexpr QStringView LengthModifiers = u"hlLqjzt";
constexpr QStringView Conversions = u"diouxXeEfFgGaAcspnmCS";

unsigned syntaxesOfFlag(QStringView language)
{
    for (const FormatFlag &flag : FormatFlags) {
        if (flag.name == language)
            return flag.syntaxes;
    }
    return 0;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isNameChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || isDigit(c) || u == u'_' || u == u'.'
        || u == u'[' || u == u']';
}

qsizetype skipDigits(QStringView text, qsizetype at)
{
    while (at < text.size() && isDigit(text.at(at)))
        ++at;
    return at;
}

bool isOneOf(QStringView text, qsizetype at, QStringView chars)
{
    return at < text.size() && chars.contains(text.at(at));
}

// "%1$s": digits and "$" right after the percent sign.
bool isPositionalPrintf(QStringView text, qsizetype percent)
{
    const qsizetype digits = skipDigits(text, percent + 1);
    return digits > percent + 1 && digits < text.size() && text.at(digits) == u'$';
}

// The end of the printf conversion starting at the percent sign, or -1.
qsizetype printfEnd(QStringView text, qsizetype percent, bool guessed)
{
    qsizetype at = percent + 1;
    if (at < text.size() && text.at(at) == u'(') {
        at = text.indexOf(u')', at);
        if (at < 0)
            return -1;
        ++at;
    } else if (isPositionalPrintf(text, percent)) {
        at = skipDigits(text, at) + 1;
    }
    // Without format flags a space after "%" is text: "50% of".
    while (isOneOf(text, at, PrintfFlagChars) && !(guessed && text.at(at) != u'-' && text.at(at) != u'0'))
        ++at;
    at = isOneOf(text, at, u"*") ? at + 1 : skipDigits(text, at);
    if (isOneOf(text, at, u".")) {
        ++at;
        at = isOneOf(text, at, u"*") ? at + 1 : skipDigits(text, at);
    }
    while (isOneOf(text, at, LengthModifiers))
        ++at;
    return isOneOf(text, at, Conversions) ? at + 1 : -1;
}

// "%1" to "%99", "%L1", "%n", "%Ln".
qsizetype qtEnd(QStringView text, qsizetype percent)
{
    qsizetype at = percent + 1;
    if (isOneOf(text, at, u"L"))
        ++at;
    if (isOneOf(text, at, u"n"))
        return at + 1;
    if (!isOneOf(text, at, u"123456789"))
        return -1;
    return isOneOf(text, at + 1, u"0123456789") ? at + 2 : at + 1;
}

// "{0}", "{name}", "{}", "{0:>8}", "{name!r}".
qsizetype braceEnd(QStringView text, qsizetype brace)
{
    qsizetype at = brace + 1;
    while (at < text.size() && isNameChar(text.at(at)))
        ++at;
    if (isOneOf(text, at, u"!"))
        at += 2;
    if (isOneOf(text, at, u":")) {
        while (at < text.size() && text.at(at) != u'}' && text.at(at) != u'{')
            ++at;
    }
    return isOneOf(text, at, u"}") ? at + 1 : -1;
}

struct PercentToken {
    qsizetype end = -1;
    bool printf = false;
};

PercentToken percentToken(QStringView text, qsizetype percent, PlaceholderSyntaxes syntaxes)
{
    const bool printf = syntaxes.has(PlaceholderSyntaxes::Printf);
    const qsizetype printfAt = printf ? printfEnd(text, percent, syntaxes.guessed()) : -1;
    // "%1$s" and "%5.2f" read as printf even where Qt's "%1" and "%5" could be meant.
    const bool printfOnly = printfAt > 0
        && (isPositionalPrintf(text, percent) || text.sliced(percent, printfAt - percent).contains(u'.'));
    if (syntaxes.has(PlaceholderSyntaxes::Qt) && !printfOnly) {
        if (const qsizetype end = qtEnd(text, percent); end > 0)
            return {end, false};
    }
    return {printfAt, printfAt > 0};
}

// A translation may reorder printf arguments: "%s to %s" becomes "%2$s 的 %1$s". Each
// conversion is compared by the argument it takes and its text after "%" or "N$".
void numberArgument(Placeholder &placeholder, int &ordinal)
{
    const QStringView text = placeholder.text;
    if (isPositionalPrintf(text, 0)) {
        const qsizetype dollar = text.indexOf(u'$');
        placeholder.argument = text.sliced(1, dollar - 1).toInt();
        placeholder.conversion = text.sliced(dollar + 1);
    } else {
        placeholder.argument = ++ordinal;
        placeholder.conversion = text.sliced(1);
    }
}

}

PlaceholderSyntaxes PlaceholderSyntaxes::fromFlags(const QStringList &flags)
{
    unsigned wanted = 0;
    unsigned refused = 0;
    bool named = false;
    for (const QString &flag : flags) {
        QStringView language(flag);
        if (!language.endsWith(u"-format"))
            continue;
        language.chop(7);
        if (language.startsWith(u"no-")) {
            refused |= syntaxesOfFlag(language.sliced(3));
        } else {
            wanted |= syntaxesOfFlag(language);
            named = true;
        }
    }
    const unsigned syntaxes = (named ? wanted : unsigned(Printf | Qt | Braces)) & ~refused;
    return PlaceholderSyntaxes(syntaxes, !named);
}

Placeholders findPlaceholders(QStringView text, PlaceholderSyntaxes syntaxes)
{
    Placeholders found;
    const bool printf = syntaxes.has(PlaceholderSyntaxes::Printf);
    const bool braces = syntaxes.has(PlaceholderSyntaxes::Braces);
    int ordinal = 0;
    for (qsizetype at = 0; at + 1 < text.size(); ++at) {
        const QChar c = text.at(at);
        PercentToken token;
        if (c == u'%') {
            if (printf && text.at(at + 1) == u'%') {
                ++at;
                continue;
            }
            token = percentToken(text, at, syntaxes);
        } else if (c == u'{' && braces) {
            if (text.at(at + 1) == u'{') {
                ++at;
                continue;
            }
            // Without format flags "${NAME}" is a shell variable written out in the text.
            if (!(syntaxes.guessed() && at > 0 && text.at(at - 1) == u'$'))
                token.end = braceEnd(text, at);
        }
        if (token.end > at) {
            Placeholder placeholder{text.sliced(at, token.end - at), at, 0, text.sliced(at, token.end - at)};
            if (token.printf)
                numberArgument(placeholder, ordinal);
            found.append(placeholder);
            at = token.end - 1;
        }
    }
    return found;
}

bool holdsPlaceholder(QStringView text, PlaceholderSyntaxes syntaxes)
{
    if (syntaxes.none() || (!text.contains(u'%') && !text.contains(u'{')))
        return false;
    return !findPlaceholders(text, syntaxes).isEmpty();
}
