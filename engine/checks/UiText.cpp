#include "UiText.h"

namespace UiText {

namespace {

bool isAsciiAlphanumeric(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
}

// "&amp;", "&nbsp;", "&lt;": rich text in Qt strings, not a key.
bool isHtmlEntity(QStringView text, qsizetype ampersand)
{
    qsizetype at = ampersand + 1;
    while (at < text.size() && isAsciiAlphanumeric(text.at(at)))
        ++at;
    return at < text.size() && at - ampersand > 2 && text.at(at) == u';';
}

// "Page_Down", "KP_Up": key names and identifiers, where an underscore joins a word
// to a capitalised one; a mnemonic inside a word is followed by a small letter.
bool isJoiningUnderscore(QStringView text, qsizetype underscore)
{
    return underscore > 0 && text.at(underscore - 1).isLetterOrNumber() && text.at(underscore + 1).isUpper();
}

bool isOpeningBracket(QChar c)
{
    return c == u'(' || c == u'（';
}

bool isClosingBracket(QChar c)
{
    return c == u')' || c == u'）';
}

qsizetype runBefore(QStringView text, qsizetype end, QChar c)
{
    qsizetype begin = end;
    while (begin > 0 && text.at(begin - 1) == c)
        --begin;
    return begin;
}

EndMark markOf(QChar c)
{
    switch (c.unicode()) {
    case u':': case u'：': return EndMark::Colon;
    case u'.': case u'。': return EndMark::Period;
    case u'?': case u'？': return EndMark::Question;
    case u'!': case u'！': return EndMark::Exclamation;
    case u';': case u'；': return EndMark::Semicolon;
    default: return EndMark::None;
    }
}

}

ShortcutSplit splitShortcut(QStringView text)
{
    const qsizetype tab = text.indexOf(u'\t');
    const qsizetype end = tab < 0 ? text.size() : tab;
    for (qsizetype i = text.first(end).indexOf(u'\\'); i >= 0 && i + 1 < end; i = text.first(end).indexOf(u'\\', i + 1)) {
        if (text.at(i + 1) == u't')
            return {i, i + 2};
        if (text.at(i + 1) == u'\\')
            ++i;
    }
    return tab < 0 ? ShortcutSplit() : ShortcutSplit{tab, tab + 1};
}

QStringView withoutShortcut(QStringView text)
{
    const ShortcutSplit split = splitShortcut(text);
    return split.found() ? text.first(split.separator) : text;
}

AccessKeys findAccessKeys(QStringView text, QChar marker)
{
    AccessKeys keys;
    for (qsizetype i = text.indexOf(marker); i >= 0 && i + 1 < text.size(); i = text.indexOf(marker, i + 1)) {
        const QChar next = text.at(i + 1);
        if (next == marker) {
            ++i;
            continue;
        }
        if (!next.isLetterOrNumber() || (marker == u'&' && isHtmlEntity(text, i))
            || (marker == u'_' && isJoiningUnderscore(text, i)))
            continue;
        if (keys.count++ == 0) {
            keys.marker = i;
            keys.letter = next;
            keys.bracketed = i > 0 && isOpeningBracket(text.at(i - 1)) && i + 2 < text.size()
                && isClosingBracket(text.at(i + 2));
            keys.begin = keys.bracketed ? i - 1 : i;
            keys.end = keys.bracketed ? i + 3 : i + 2;
        }
        ++i;
    }
    return keys;
}

bool sameKeyLetter(QChar a, QChar b)
{
    if (a.unicode() < 128 && b.unicode() < 128)
        return a.toLower() == b.toLower();
    return a == b;
}

EndMarkAt endMark(QStringView text)
{
    if (text.isEmpty())
        return {};
    const qsizetype last = text.size() - 1;
    const QChar c = text.at(last);
    if (c == u'…')
        return {EndMark::Ellipsis, runBefore(text, text.size(), c)};
    if (c == u'.') {
        const qsizetype dots = runBefore(text, text.size(), c);
        if (text.size() - dots >= 3)
            return {EndMark::Ellipsis, dots};
    }
    const EndMark mark = markOf(c);
    return {mark, mark == EndMark::None ? -1 : last};
}

EndMarkAt decoratedEndMark(QStringView text, QChar marker)
{
    QStringView body = trimmedEnd(text);
    const AccessKeys keys = findAccessKeys(body, marker);
    if (keys.count > 0 && keys.bracketed && keys.end == body.size())
        body = trimmedEnd(body.first(keys.begin));
    return endMark(body);
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\u3000';
}

QStringView trimmedEnd(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && isBlank(text.at(end - 1)))
        --end;
    return text.first(end);
}

int leadingSpaces(QStringView text)
{
    int count = 0;
    while (count < text.size() && text.at(count) == u' ')
        ++count;
    return count;
}

int trailingSpaces(QStringView text)
{
    return int(text.size() - runBefore(text, text.size(), u' '));
}

}
