#include "PoLexer.h"

#include "ErrorReport.h"
#include "PoReader.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr QByteArrayView WordNames[] = {"", "msgctxt", "msgid", "msgid_plural", "msgstr", "domain"};

PoToken::Word keyword(QByteArrayView name)
{
    for (int word = 1; word < int(std::size(WordNames)); ++word) {
        if (name == WordNames[word])
            return PoToken::Word(word);
    }
    return PoToken::Word::None;
}

bool isIdentifierStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The first byte from p on that ends a string or starts an escape: a quote, a
// backslash, a line feed, or a byte beyond ASCII in sets where a character's second
// byte may look like one of them. Strings are most of a file, so this looks at 16 bytes
// at a time.
const char *stringStop(const char *p, const char *end, bool stopAtHighBytes)
{
#ifdef __SSE2__
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i backslash = _mm_set1_epi8('\\');
    const __m128i lineFeed = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i stops = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, quote), _mm_cmpeq_epi8(bytes, backslash)),
                                           _mm_cmpeq_epi8(bytes, lineFeed));
        const int found = _mm_movemask_epi8(stops) | (stopAtHighBytes ? _mm_movemask_epi8(bytes) : 0);
        if (found)
            return p + __builtin_ctz(unsigned(found));
    }
#endif
    const auto isStop = [stopAtHighBytes](char c) {
        return c == '"' || c == '\\' || c == '\n' || (stopAtHighBytes && static_cast<unsigned char>(c) >= 0x80);
    };
    while (p < end && !isStop(*p))
        ++p;
    return p;
}

}

QString PoToken::wordName(Word word)
{
    return QString::fromLatin1(WordNames[int(word)]);
}

PoLexer::PoLexer(QByteArrayView bytes, const QString &fileName)
    : m_p(bytes.data()), m_end(bytes.data() + bytes.size()), m_fileName(fileName)
{
    // A byte-order mark stays before the first entry, out of its bytes.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        m_p += 3;
    m_lineStart = m_p;
}

void PoLexer::setCharset(const PoCharset &charset)
{
    m_charset = charset;
    m_multibyte = charset.hasAsciiTrailBytes();
}

void PoLexer::fail(int line, const QString &reason) const
{
    throw AppError(PoReader::MalformedError,
                   QStringLiteral("PO 文件“%1”第 %2 行：%3").arg(m_fileName).arg(line).arg(reason));
}

void PoLexer::scan(PoToken &token)
{
    for (;;) {
        token = PoToken();
        token.line = m_line;
        token.start = m_p;
        token.lineStart = m_lineStart;
        token.obsolete = m_obsolete;
        token.previous = m_previous;
        if (m_p == m_end)
            return;
        switch (*m_p) {
        case '\n':
            ++m_p;
            ++m_line;
            m_lineStart = m_p;
            m_obsolete = m_previous = false;
            continue;
        case ' ':
        case '\t':
        case '\r':
        case '\f':
        case '\v': ++m_p; continue;
        case '#':
            if (m_p + 1 < m_end && m_p[1] == '~') {
                m_obsolete = true;
                m_p += 2;
                if (m_p < m_end && *m_p == '|') {
                    m_previous = true;
                    ++m_p;
                }
                continue;
            }
            if (m_p + 1 < m_end && m_p[1] == '|') {
                m_previous = true;
                m_p += 2;
                continue;
            }
            scanComment(token);
            return;
        case '"': scanString(token); return;
        case '[':
        case ']':
            token.kind = *m_p == '[' ? PoToken::Kind::LeftBracket : PoToken::Kind::RightBracket;
            ++m_p;
            return;
        default: scanWord(token); return;
        }
    }
}

void PoLexer::scanComment(PoToken &token)
{
    const auto *lineEnd = static_cast<const char *>(std::memchr(m_p, '\n', m_end - m_p));
    token.kind = PoToken::Kind::Comment;
    token.begin = m_p + 1;
    token.end = lineEnd ? lineEnd : m_end;
    if (token.end > token.begin && token.end[-1] == '\r')
        --token.end;
    m_p = lineEnd ? lineEnd : m_end;
    m_obsolete = false;
}

void PoLexer::scanString(PoToken &token)
{
    const char *q = m_p + 1;
    for (;;) {
        q = stringStop(q, m_end, m_multibyte);
        if (q == m_end || *q == '\n')
            fail(m_line, QStringLiteral("字符串缺少结尾的引号"));
        if (*q == '"')
            break;
        if (*q != '\\') {
            q = characterEnd(q);
            continue;
        }
        token.escaped = true;
        if (q + 1 < m_end && q[1] == '\n') {
            q += 2;
            ++m_line;
            m_lineStart = q;
            continue;
        }
        q = q + 1 < m_end ? characterEnd(q + 1) : q + 1;
    }
    token.kind = PoToken::Kind::String;
    token.begin = m_p + 1;
    token.end = q;
    m_p = q + 1;
}

void PoLexer::scanWord(PoToken &token)
{
    const char *q = m_p;
    if (isDigit(*q)) {
        while (q < m_end && isDigit(*q))
            ++q;
        token.kind = PoToken::Kind::Number;
    } else if (isIdentifierStart(*q)) {
        while (q < m_end && (isIdentifierStart(*q) || isDigit(*q)))
            ++q;
        token.kind = PoToken::Kind::Keyword;
        token.word = keyword(QByteArrayView(m_p, q - m_p));
        const bool allowedBehindBar = token.word != PoToken::Word::Msgstr && token.word != PoToken::Word::Domain;
        if (token.word == PoToken::Word::None || (token.previous && !allowedBehindBar))
            fail(m_line, QStringLiteral("未知的关键字“%1”").arg(QString::fromLatin1(m_p, q - m_p)));
    } else {
        fail(m_line, QStringLiteral("无法识别的内容，这不是 PO 文件"));
    }
    token.begin = m_p;
    token.end = q;
    m_p = q;
}

void PoLexer::appendUnescaped(QByteArray &out, const PoToken &string) const
{
    if (!string.escaped) {
        out.append(string.begin, string.end - string.begin);
        return;
    }
    const char *p = string.begin;
    while (p < string.end) {
        // The text up to the next escape goes across whole.
        const char *run = p;
        while (p < string.end && *p != '\\')
            p = characterEnd(p);
        out.append(run, p - run);
        if (p == string.end)
            break;
        const char c = *++p;
        ++p;
        switch (c) {
        case '\n': break;
        case 'n': out.append('\n'); break;
        case 't': out.append('\t'); break;
        case 'b': out.append('\b'); break;
        case 'r': out.append('\r'); break;
        case 'f': out.append('\f'); break;
        case 'v': out.append('\v'); break;
        case 'a': out.append('\a'); break;
        case '\\':
        case '"': out.append(c); break;
        case 'x':
            if (p == string.end || hexValue(*p) < 0)
                fail(string.line, QStringLiteral("无效的转义序列“\\x”"));
            {
                int value = 0;
                for (; p < string.end && hexValue(*p) >= 0; ++p)
                    value = (value * 16 + hexValue(*p)) & 0xFF;
                out.append(char(value));
            }
            break;
        default:
            if (c < '0' || c > '7')
                fail(string.line, QStringLiteral("无效的转义序列“\\%1”").arg(QString::fromLatin1(&c, 1)));
            int value = c - '0';
            for (int digits = 1; digits < 3 && p < string.end && *p >= '0' && *p <= '7'; ++digits)
                value = value * 8 + (*p++ - '0');
            out.append(char(value));
        }
    }
}
