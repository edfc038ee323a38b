#include "PoReader.h"

#include "PoLexer.h"

#include <algorithm>
#include <cstring>

namespace {

// What a header's fields say about the rest of the file.
struct HeaderFacts {
    PoCharset charset;
    int pluralCount = 0;
};

// Builds the records of a whole file: comments and "#|" strings belong to the message
// that follows them; the bytes between two entries (blank lines) belong to neither.
class Parser {
public:
    Parser(QByteArrayView bytes, const QString &fileName, const std::optional<HeaderFacts> &known)
        : m_bytes(bytes), m_lexer(bytes, fileName), m_known(known)
    {
        if (known) {
            m_lexer.setCharset(known->charset);
            m_result.charset = known->charset;
            m_result.pluralCount = known->pluralCount;
        }
    }

    PoReader::Catalogue run();

private:
    void openEntry(const PoToken &token);
    void readComment(const PoToken &token);
    void readMessage();
    void readTranslations(PoRecord &record, const PoToken &msgidToken);
    void readPluralForm(PoRecord &record, const PoToken &msgstr);
    // The bytes the strings after a keyword stand for: the file's own when there is one
    // string without escapes, the scratch buffer's otherwise.
    QByteArrayView readStrings(const PoToken &keyword);
    QString decode(QByteArrayView bytes, int line) const;
    void expectSameState(const PoToken &token, const PoToken &first) const;
    void readHeader(PoRecord &record, QByteArrayView fields, const PoToken &msgstr);
    void closeEntry(PoRecord &record);

    QByteArrayView m_bytes;
    PoLexer m_lexer;
    std::optional<HeaderFacts> m_known;
    PoReader::Catalogue m_result;
    QByteArray m_scratch;
    bool m_open = false;
    qsizetype m_begin = 0;
    quint8 m_commentBits = 0;
    const char *m_lastStringEnd = nullptr;
    // Whether the plural entry being read has its msgstr[0].
    bool m_formsRead = false;
};

PoReader::Catalogue Parser::run()
{
    // An entry takes a hundred bytes and more; room the file does not fill is never touched.
    m_result.records.reserve(m_bytes.size() / 96);
    for (;;) {
        const PoToken &token = m_lexer.peek();
        if (token.kind == PoToken::Kind::End)
            break;
        if (token.kind == PoToken::Kind::Comment) {
            const PoToken comment = m_lexer.take();
            openEntry(comment);
            readComment(comment);
        } else if (token.kind == PoToken::Kind::Keyword && token.previous) {
            const PoToken previous = m_lexer.take();
            openEntry(previous);
            readStrings(previous);
        } else if (token.kind == PoToken::Kind::Keyword && token.word == PoToken::Word::Domain) {
            // A domain line stays in the bytes between entries, with any comment before it.
            readStrings(m_lexer.take());
            m_open = false;
            m_commentBits = 0;
        } else if (token.kind == PoToken::Kind::Keyword
                   && (token.word == PoToken::Word::Msgctxt || token.word == PoToken::Word::Msgid)) {
            readMessage();
        } else {
            m_lexer.fail(token.line, token.kind == PoToken::Kind::Keyword
                                         ? QStringLiteral("%1 之前缺少 msgid").arg(PoToken::wordName(token.word))
                                         : QStringLiteral("此处应为注释或 msgid"));
        }
    }
    return std::move(m_result);
}

void Parser::openEntry(const PoToken &token)
{
    if (m_open)
        return;
    m_open = true;
    m_begin = token.lineStart - m_bytes.data();
    // An entry that starts on the line where the one before ends takes over from there.
    if (!m_result.records.empty() && m_result.records.back().end > m_begin) {
        m_begin = token.start - m_bytes.data();
        m_result.records.back().end = m_begin;
    }
}

void Parser::readComment(const PoToken &token)
{
    static const QByteArray marker = PoNotToTranslateComment.toLatin1();
    const QByteArrayView text(token.begin, token.end - token.begin);
    if (text.startsWith(',') || text.startsWith('!')) {
        PoFlags flags;
        if (text.contains("fuzzy"))
            flags.read(QString::fromLatin1(text.sliced(1)));
        if (flags.isFuzzy())
            m_commentBits |= PoRecord::Fuzzy;
    } else if (text.trimmed() == marker) {
        m_commentBits |= PoRecord::NotToTranslate;
    }
}

QByteArrayView Parser::readStrings(const PoToken &keyword)
{
    if (m_lexer.peek().kind != PoToken::Kind::String)
        m_lexer.fail(keyword.line, QStringLiteral("%1 之后缺少字符串").arg(PoToken::wordName(keyword.word)));
    const PoToken first = m_lexer.take();
    expectSameState(first, keyword);
    m_lastStringEnd = first.end;
    QByteArrayView bytes(first.begin, first.end - first.begin);
    if (first.escaped || m_lexer.peek().kind == PoToken::Kind::String) {
        m_scratch.resize(0);
        m_lexer.appendUnescaped(m_scratch, first);
        while (m_lexer.peek().kind == PoToken::Kind::String) {
            const PoToken string = m_lexer.take();
            expectSameState(string, keyword);
            m_lexer.appendUnescaped(m_scratch, string);
            m_lastStringEnd = string.end;
        }
        bytes = m_scratch;
    }
    // gettext cannot keep these in a compiled catalogue: NUL ends a string there and
    // EOT separates a context from its msgid.
    if (bytes.contains('\0') || bytes.contains('\x04'))
        m_lexer.fail(keyword.line, QStringLiteral("字符串中不能含有 NUL 或 EOT 控制字符"));
    return bytes;
}

// Like gettext, the reader judges the bytes of strings against the charset, and lets
// comments hold what they like.
QString Parser::decode(QByteArrayView bytes, int line) const
{
    bool valid = true;
    QString text = m_lexer.charset().decode(bytes, &valid);
    if (!valid)
        m_lexer.fail(line,
                     QStringLiteral("含有不属于字符集 %1 的字节").arg(QString::fromLatin1(m_lexer.charset().name())));
    return text;
}

void Parser::expectSameState(const PoToken &token, const PoToken &first) const
{
    if (token.obsolete != first.obsolete)
        m_lexer.fail(token.line, QStringLiteral("过时条目的每一行都应以 #~ 开头"));
}

void Parser::readMessage()
{
    const PoToken first = m_lexer.peek();
    openEntry(first);
    PoRecord record;
    record.begin = m_begin;
    record.bits = m_commentBits | (first.obsolete ? PoRecord::Obsolete : 0);
    if (first.word == PoToken::Word::Msgctxt) {
        record.rareParts().context = decode(readStrings(m_lexer.take()), first.line);
        record.set(PoRecord::HasContext, true);
    }
    const PoToken msgid = m_lexer.take();
    if (msgid.kind != PoToken::Kind::Keyword || msgid.word != PoToken::Word::Msgid || msgid.previous)
        m_lexer.fail(msgid.line, QStringLiteral("msgctxt 之后缺少 msgid"));
    expectSameState(msgid, first);
    record.line = msgid.line;
    record.msgid = decode(readStrings(msgid), msgid.line);
    readTranslations(record, msgid);
}

void Parser::readTranslations(PoRecord &record, const PoToken &msgidToken)
{
    if (m_lexer.peek().kind == PoToken::Kind::Keyword && m_lexer.peek().word == PoToken::Word::MsgidPlural) {
        const PoToken plural = m_lexer.take();
        expectSameState(plural, msgidToken);
        record.rareParts().msgidPlural = decode(readStrings(plural), plural.line);
        record.set(PoRecord::Plural, true);
        m_formsRead = false;
        while (m_lexer.peek().kind == PoToken::Kind::Keyword && m_lexer.peek().word == PoToken::Word::Msgstr) {
            const PoToken msgstr = m_lexer.take();
            expectSameState(msgstr, msgidToken);
            readPluralForm(record, msgstr);
        }
        if (!m_formsRead)
            m_lexer.fail(plural.line, QStringLiteral("msgid_plural 之后缺少 msgstr[N]"));
    } else {
        const PoToken last = m_lexer.take();
        if (last.kind != PoToken::Kind::Keyword || last.word != PoToken::Word::Msgstr || last.previous)
            m_lexer.fail(msgidToken.line, QStringLiteral("msgid 之后缺少 msgstr"));
        expectSameState(last, msgidToken);
        if (m_lexer.peek().kind == PoToken::Kind::LeftBracket)
            m_lexer.fail(last.line, QStringLiteral("没有 msgid_plural 的条目不能有 msgstr[N]"));
        const QByteArrayView translation = readStrings(last);
        const bool header = record.msgid.isEmpty() && !record.has(PoRecord::HasContext)
            && !record.has(PoRecord::Obsolete) && m_result.header < 0;
        if (header)
            readHeader(record, translation, last);
        record.translation = decode(translation, last.line);
    }
    closeEntry(record);
}

void Parser::readPluralForm(PoRecord &record, const PoToken &msgstr)
{
    const qsizetype expected = m_formsRead ? record.formCount() : 0;
    const PoToken open = m_lexer.take();
    const PoToken number = m_lexer.take();
    const PoToken close = m_lexer.take();
    if (open.kind != PoToken::Kind::LeftBracket || number.kind != PoToken::Kind::Number
        || close.kind != PoToken::Kind::RightBracket)
        m_lexer.fail(msgstr.line, QStringLiteral("msgid_plural 之后应为 msgstr[N]"));
    const QByteArrayView digits(number.begin, number.end - number.begin);
    const QString index = QString::fromLatin1(digits);
    if (digits.size() > 9 || digits.toLongLong() != expected)
        m_lexer.fail(msgstr.line, QStringLiteral("msgstr[%1] 的序号应为 %2").arg(index).arg(expected));
    if (m_result.pluralCount > 0 && expected >= m_result.pluralCount)
        m_lexer.fail(msgstr.line, QStringLiteral("msgstr[%1] 超出了文件头 Plural-Forms 规定的 nplurals=%2")
                                      .arg(index)
                                      .arg(m_result.pluralCount));
    QString form = decode(readStrings(msgstr), msgstr.line);
    if (m_formsRead)
        record.rareParts().laterForms.append(std::move(form));
    else
        record.translation = std::move(form);
    m_formsRead = true;
}

void Parser::readHeader(PoRecord &record, QByteArrayView fields, const PoToken &msgstr)
{
    record.set(PoRecord::Header, true);
    m_result.header = int(m_result.records.size());
    if (m_known)
        return;
    const QByteArray name = PoReader::charsetName(fields);
    if (!name.isEmpty()) {
        const std::optional<PoCharset> charset = PoCharset::fromName(name);
        if (!charset) {
            const qsizetype inFile = m_bytes.indexOf("charset=", m_begin);
            const int line = inFile < 0 ? msgstr.line : 1 + int(m_bytes.first(inFile).count('\n'));
            m_lexer.fail(line, QStringLiteral("未知的字符集“%1”").arg(QString::fromLatin1(name)));
        }
        m_result.charset = *charset;
        m_lexer.setCharset(*charset);
    }
    m_result.pluralCount = PoReader::pluralCount(fields);
}

void Parser::closeEntry(PoRecord &record)
{
    // The entry ends with the line of its last string.
    const char *data = m_bytes.data();
    const qsizetype afterQuote = m_lastStringEnd - data + 1;
    const qsizetype lineEnd = m_bytes.indexOf('\n', afterQuote);
    record.end = lineEnd < 0 ? m_bytes.size() : lineEnd + 1;
    m_result.records.push_back(std::move(record));
    m_open = false;
    m_commentBits = 0;
}

// The "#:" words "file:line" as gettext reads them, also when blanks stand around the
// colon; a word without a line number is a file alone.
QStringList readReferences(QStringView text)
{
    const QList<QStringView> words = text.split(u' ', Qt::SkipEmptyParts);
    QStringList references;
    auto isNumber = [](QStringView word) {
        return !word.isEmpty() && std::all_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); });
    };
    auto reference = [](QStringView file, QStringView number) {
        return file.toString() + u':' + QString::number(number.toULongLong());
    };
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QStringView word = words[i];
        const QStringView next = i + 1 < words.size() ? words[i + 1] : QStringView();
        const qsizetype colon = word.lastIndexOf(u':');
        if (next == u":" && i + 2 < words.size() && isNumber(words[i + 2])) {
            references.append(reference(word, words[i + 2]));
            i += 2;
        } else if (next.startsWith(u':') && isNumber(next.sliced(1))) {
            references.append(reference(word, next.sliced(1)));
            ++i;
        } else if (word.endsWith(u':') && word.size() > 1 && isNumber(next)) {
            references.append(reference(word.chopped(1), next));
            ++i;
        } else if (colon > 0 && isNumber(word.sliced(colon + 1))) {
            references.append(reference(word.first(colon), word.sliced(colon + 1)));
        } else {
            references.append(word.toString());
        }
    }
    return references;
}

// gettext drops one blank after "#" and "#." as the usual separator.
QString commentText(QByteArrayView text, const PoCharset &charset)
{
    if (text.startsWith(' '))
        text = text.sliced(1);
    return charset.decode(text);
}

void readNote(PoNotes &notes, QByteArrayView text, const PoCharset &charset)
{
    if (text.startsWith('.'))
        notes.extractedComments.append(commentText(text.sliced(1), charset));
    else if (text.startsWith(':'))
        notes.references.append(readReferences(commentText(text.sliced(1), charset).replace(u'\t', u' ')));
    else if (text.startsWith(',') || text.startsWith('!'))
        notes.flags.read(commentText(text.sliced(1), charset));
    else
        notes.translatorComments.append(commentText(text, charset));
}

}

namespace PoReader {

QByteArray charsetName(QByteArrayView header)
{
    const qsizetype at = header.indexOf("charset=");
    if (at < 0)
        return QByteArray();
    qsizetype end = at + 8;
    while (end < header.size() && !std::strchr(" \t\n", header[end]))
        ++end;
    return header.sliced(at + 8, end - at - 8).toByteArray();
}

int pluralCount(QByteArrayView header)
{
    const qsizetype at = header.indexOf("nplurals=");
    if (at < 0)
        return 0;
    qsizetype p = at + 9;
    while (p < header.size() && (header[p] == ' ' || header[p] == '\t'))
        ++p;
    int count = 0;
    for (; p < header.size() && header[p] >= '0' && header[p] <= '9' && count < 1000; ++p)
        count = count * 10 + (header[p] - '0');
    return count;
}

PoNotes readNotes(QByteArrayView entry, const PoCharset &charset)
{
    PoLexer lexer(entry, QString());
    lexer.setCharset(charset);
    PoNotes notes;
    QByteArray bytes;
    for (;;) {
        const PoToken token = lexer.take();
        if (token.kind == PoToken::Kind::Comment) {
            readNote(notes, QByteArrayView(token.begin, token.end - token.begin), charset);
        } else if (token.kind == PoToken::Kind::Keyword && token.previous) {
            bytes.resize(0);
            while (lexer.peek().kind == PoToken::Kind::String)
                lexer.appendUnescaped(bytes, lexer.take());
            QString text = charset.decode(bytes);
            (token.word == PoToken::Word::Msgctxt ? notes.previous.context
             : token.word == PoToken::Word::Msgid ? notes.previous.msgid
                                         : notes.previous.msgidPlural) = std::move(text);
        } else {
            return notes;
        }
    }
}

PoFlags readFlags(QByteArrayView entry, const PoCharset &charset)
{
    PoLexer lexer(entry, QString());
    lexer.setCharset(charset);
    PoFlags flags;
    // The comments come first in an entry, so the flags are among them.
    for (PoToken token = lexer.take(); token.kind == PoToken::Kind::Comment; token = lexer.take()) {
        const QByteArrayView text(token.begin, token.end - token.begin);
        if (text.startsWith(',') || text.startsWith('!'))
            flags.read(commentText(text.sliced(1), charset));
    }
    return flags;
}

Catalogue read(QByteArrayView bytes, const QString &fileName)
{
    Catalogue catalogue = Parser(bytes, fileName, std::nullopt).run();
    // Messages before the header were read before its charset and plural count were
    // known: the file is read again with them.
    if (catalogue.header > 0)
        catalogue = Parser(bytes, fileName, HeaderFacts{catalogue.charset, catalogue.pluralCount}).run();
    return catalogue;
}

}
