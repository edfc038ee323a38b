#include "PoLayout.h"

#include "PoLineBreaks.h"

#include <climits>

namespace {

// The letter of the escape gettext writes for a control character, 0 for none.
char16_t escapeLetter(QChar c)
{
    switch (c.unicode()) {
    case u'\a': return u'a';
    case u'\b': return u'b';
    case u'\f': return u'f';
    case u'\n': return u'n';
    case u'\r': return u'r';
    case u'\t': return u't';
    case u'\v': return u'v';
    case u'\\': return u'\\';
    case u'"': return u'"';
    default: return 0;
    }
}

// The rules of one string's lines: what precedes each line and how wide it may grow.
struct StringLines {
    QStringView prefix;
    QStringView keyword;
    bool wrap = true;
    bool wideSet = false;
};

// Writes one "\n"-ended piece of a string as gettext's wrap() does.
void appendPiece(QString &out, const StringLines &lines, QStringView piece, const QList<bool> &inDirective,
                 bool &firstLine, bool morePieces)
{
    QString escaped;
    QList<bool> prohibited;
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const char16_t letter = escapeLetter(piece[i]);
        escaped.append(letter ? QChar(u'\\') : piece[i]);
        prohibited.append(inDirective[i]);
        if (letter) {
            escaped.append(QChar(letter));
            prohibited.append(true);
        }
    }
    // No line ends right before the "\n" that ends a piece.
    if (piece.endsWith(u'\n'))
        prohibited[escaped.size() - 2] = true;
    const int prefixWidth = int(lines.prefix.size());
    const int indent = prefixWidth + 1;
    const int width = (lines.wrap ? PoLayout::PageWidth : INT_MAX) - 1 - indent;
    int startColumn = firstLine ? prefixWidth + int(lines.keyword.size()) + 2 - indent : 0;
    QList<bool> breaks = PoLineBreaks::breaks(escaped, prohibited, startColumn, width, lines.wideSet);
    if (firstLine && !escaped.isEmpty() && (morePieces || startColumn > width || breaks.contains(true))) {
        out += lines.prefix;
        out += lines.keyword;
        out += QStringLiteral(" \"\"\n");
        firstLine = false;
        breaks = PoLineBreaks::breaks(escaped, prohibited, 0, width, lines.wideSet);
    }
    out += lines.prefix;
    if (firstLine) {
        out += lines.keyword;
        out += u' ';
    }
    firstLine = false;
    out += u'"';
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        if (breaks[i]) {
            out += QStringLiteral("\"\n");
            out += lines.prefix;
            out += u'"';
        }
        out += escaped[i];
    }
    out += QStringLiteral("\"\n");
}

}

void PoLayout::appendString(QString &out, QStringView keyword, QStringView value, const PoFlags &flags,
                            QStringView prefix) const
{
    const StringLines lines{prefix, keyword, !flags.isNoWrap(), m_charset.hasWideCharacters()};
    const QList<bool> inDirective =
        PoFormatDirectives::interiors(value, flags.directiveSyntax(), keyword.startsWith(u"msgstr"));
    bool firstLine = true;
    qsizetype start = 0;
    do {
        const qsizetype newline = value.indexOf(u'\n', start);
        const qsizetype end = newline < 0 ? value.size() : newline + 1;
        appendPiece(out, lines, value.sliced(start, end - start), inDirective.sliced(start, end - start), firstLine,
                    end < value.size());
        start = end;
    } while (start < value.size());
}

QString PoLayout::message(const PoRecord &record, const PoNotes &notes) const
{
    QString out;
    for (const QString &comment : notes.translatorComments)
        out += comment.isEmpty() ? QStringLiteral("#\n") : QStringLiteral("# ") + comment + u'\n';
    for (const QString &comment : notes.extractedComments)
        out += comment.isEmpty() ? QStringLiteral("#.\n") : QStringLiteral("#. ") + comment + u'\n';
    if (!notes.references.isEmpty()) {
        out += QStringLiteral("#:");
        int column = 2;
        for (QStringView reference : notes.references) {
            while (reference.startsWith(u"./"))
                reference = reference.sliced(2);
            // gettext counts a file name's bytes.
            const int width = int(m_charset.encode(reference).value_or(reference.toUtf8()).size()) + 1;
            if (column > 2 && column + width > PageWidth) {
                out += QStringLiteral("\n#:");
                column = 2;
            }
            out += u' ';
            out += reference;
            column += width;
        }
        out += u'\n';
    }
    const QString flagsLine = notes.flags.line(!record.translation.isEmpty());
    if (!flagsLine.isEmpty())
        out += flagsLine + u'\n';
    const QString previous = QStringLiteral("#| ");
    if (notes.previous.context)
        appendString(out, u"msgctxt", *notes.previous.context, notes.flags, previous);
    if (notes.previous.msgid)
        appendString(out, u"msgid", *notes.previous.msgid, notes.flags, previous);
    if (notes.previous.msgidPlural)
        appendString(out, u"msgid_plural", *notes.previous.msgidPlural, notes.flags, previous);
    if (record.has(PoRecord::HasContext))
        appendString(out, u"msgctxt", record.context(), notes.flags);
    appendString(out, u"msgid", record.msgid, notes.flags);
    if (!record.has(PoRecord::Plural)) {
        appendString(out, u"msgstr", record.translation, notes.flags);
        return out;
    }
    appendString(out, u"msgid_plural", record.msgidPlural(), notes.flags);
    const QStringList forms = record.forms();
    for (qsizetype form = 0; form < forms.size(); ++form)
        appendString(out, QStringLiteral("msgstr[%1]").arg(form), forms[form], notes.flags);
    return out;
}
