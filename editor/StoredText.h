#pragma once

#include <QString>

// Dictionary fields hold no tab and no line break: a typed tab is stored as the two
// characters "\t", the formats' one escape, and a line break, which no format could
// carry, becomes a blank.
namespace StoredText {

inline QString withoutLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (const char16_t lineBreak : {u'\r', u'\n', u'\x2028', u'\x2029'})
        text.replace(QChar(lineBreak), u' ');
    return text;
}

inline QString fromTyped(const QString &text)
{
    return withoutLineBreaks(text).replace(u'\t', QStringLiteral("\\t"));
}

}
