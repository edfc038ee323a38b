#pragma once

#include "PoCharset.h"

#include <QByteArrayView>
#include <QString>

// One token of a PO file as gettext's lexer sees it.
struct PoToken {
    enum class Kind : quint8 { End, Comment, Keyword, String, Number, LeftBracket, RightBracket };
    enum class Word : quint8 { None, Msgctxt, Msgid, MsgidPlural, Msgstr, Domain };

    Kind kind = Kind::End;
    Word word = Word::None;
    // Behind "#~" (an obsolete entry) or "#|" (a previous string).
    bool obsolete = false;
    bool previous = false;
    // A string that holds a backslash.
    bool escaped = false;
    int line = 0;
    // The first byte of the token and of its line; for strings and comments the text
    // lies between begin and end (inside the quotes, after the "#").
    const char *start = nullptr;
    const char *lineStart = nullptr;
    const char *begin = nullptr;
    const char *end = nullptr;

    QByteArrayView text() const { return QByteArrayView(begin, end - begin); }
    static QString wordName(Word word);
};

// Splits a PO file into gettext's tokens: a "#~" or "#|" prefix marks the rest of its
// line, white space (CR included) separates, a backslash before a line end continues
// a string on the next line. A leading byte-order mark is passed over.
class PoLexer {
public:
    PoLexer(QByteArrayView bytes, const QString &fileName);

    void setCharset(const PoCharset &charset);
    const PoCharset &charset() const { return m_charset; }

    const PoToken &peek()
    {
        if (!m_peeked) {
            scan(m_next);
            m_peeked = true;
        }
        return m_next;
    }
    PoToken take()
    {
        peek();
        m_peeked = false;
        return m_next;
    }

    // The bytes the string token stands for, appended to the buffer; a bad escape fails.
    void appendUnescaped(QByteArray &out, const PoToken &string) const;

    // Raises error 1002 for the file at this line.
    [[noreturn]] void fail(int line, const QString &reason) const;

private:
    void scan(PoToken &token);
    void scanComment(PoToken &token);
    void scanString(PoToken &token);
    void scanWord(PoToken &token);
    const char *characterEnd(const char *at) const
    {
        return at + (static_cast<unsigned char>(*at) < 0x80 ? 1 : m_charset.characterLength(at, m_end));
    }

    const char *m_p;
    const char *m_end;
    const char *m_lineStart = nullptr;
    int m_line = 1;
    bool m_obsolete = false;
    bool m_previous = false;
    bool m_peeked = false;
    // Whether a byte beyond ASCII may start a character that takes the next byte along.
    bool m_multibyte = false;
    PoToken m_next;
    PoCharset m_charset;
    QString m_fileName;
};
