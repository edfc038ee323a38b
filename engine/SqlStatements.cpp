#include "SqlStatements.h"

#include <algorithm>
#include <bit>
#include <initializer_list>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Room for the quotes, separators and a few doubled quotes, so a row is built
// in one allocation.
constexpr qsizetype QuotingReserve = 8;

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Appends ||char(13,10)|| for the run of line breaks starting at the position and
// returns the position after it; NULs inside the run are dropped as everywhere.
qsizetype appendLineBreaks(QString &statement, QStringView value, qsizetype at)
{
    statement.append(QLatin1StringView("'||char("));
    bool first = true;
    for (; at < value.size() && (isLineBreak(value.at(at)) || value.at(at).isNull()); ++at) {
        if (value.at(at).isNull())
            continue;
        if (!first)
            statement.append(u',');
        statement.append(value.at(at) == u'\r' ? QLatin1StringView("13") : QLatin1StringView("10"));
        first = false;
    }
    statement.append(QLatin1StringView(")||'"));
    return at;
}

// The position of the first quote, CR, LF or NUL at or after the position, or the
// size when there is none: the only characters that quoting does not copy as they are.
qsizetype nextSpecial(QStringView value, qsizetype from)
{
    const char16_t *data = value.utf16();
    const qsizetype size = value.size();
    qsizetype i = from;
#ifdef __SSE2__
    const __m128i quote = _mm_set1_epi16(u'\'');
    const __m128i carriageReturn = _mm_set1_epi16(u'\r');
    const __m128i lineFeed = _mm_set1_epi16(u'\n');
    const __m128i nul = _mm_setzero_si128();
    for (; i + 8 <= size; i += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
        const __m128i special = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi16(units, quote), _mm_cmpeq_epi16(units, nul)),
            _mm_or_si128(_mm_cmpeq_epi16(units, carriageReturn), _mm_cmpeq_epi16(units, lineFeed)));
        if (const int mask = _mm_movemask_epi8(special))
            return i + std::countr_zero(unsigned(mask)) / 2;
    }
#endif
    for (; i < size; ++i) {
        const char16_t c = data[i];
        if (c == u'\'' || c == u'\r' || c == u'\n' || c == 0)
            return i;
    }
    return size;
}

// The quoting of a value that holds a line break or a NUL.
void appendQuotedWithBreaks(QString &statement, QStringView value)
{
    statement.append(u'\'');
    qsizetype copied = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c.unicode() > u'\'')
            continue;
        if (c == u'\'') {
            statement.append(value.sliced(copied, i + 1 - copied)).append(u'\'');
            copied = i + 1;
        } else if (c.isNull() || isLineBreak(c)) {
            statement.append(value.sliced(copied, i - copied));
            const qsizetype next = isLineBreak(c) ? appendLineBreaks(statement, value, i) : i + 1;
            copied = next;
            i = next - 1;
        }
    }
    statement.append(value.sliced(copied)).append(u'\'');
}

QString insertRow(QStringView head, std::initializer_list<QStringView> values)
{
    qsizetype length = head.size() + 2;
    for (const QStringView value : values)
        length += value.size() + QuotingReserve;
    QString statement;
    statement.reserve(length);
    statement.append(head);
    bool first = true;
    for (const QStringView value : values) {
        if (!first)
            statement.append(u',');
        Sql::appendQuoted(statement, value);
        first = false;
    }
    return statement.append(QLatin1StringView(");"));
}

QString update(QStringView head, QStringView translation, QStringView middle, QStringView source,
               QStringView tail)
{
    QString statement;
    statement.reserve(head.size() + translation.size() + middle.size() + source.size() + tail.size()
                      + 2 * QuotingReserve);
    statement.append(head);
    Sql::appendQuoted(statement, translation);
    statement.append(middle);
    Sql::appendQuoted(statement, source);
    return statement.append(tail);
}

}

namespace Sql {

void appendQuoted(QString &statement, QStringView value)
{
    qsizetype quotes = 0;
    for (qsizetype i = nextSpecial(value, 0); i < value.size(); i = nextSpecial(value, i + 1)) {
        if (value[i] != u'\'') {
            appendQuotedWithBreaks(statement, value);
            return;
        }
        ++quotes;
    }
    // The common case: the quoted value is written in one piece into room made once.
    const qsizetype at = statement.size();
    statement.resize(at + value.size() + quotes + 2);
    QChar *out = statement.data() + at;
    *out++ = u'\'';
    qsizetype copied = 0;
    for (qsizetype quote = nextSpecial(value, 0); quote < value.size(); quote = nextSpecial(value, quote + 1)) {
        out = std::copy(value.begin() + copied, value.begin() + quote + 1, out);
        *out++ = u'\'';
        copied = quote + 1;
    }
    out = std::copy(value.begin() + copied, value.end(), out);
    *out = u'\'';
}

QString quoted(QStringView value)
{
    QString text;
    text.reserve(value.size() + QuotingReserve);
    appendQuoted(text, value);
    return text;
}

QString beginTransaction()
{
    return QStringLiteral("BEGIN TRANSACTION;");
}

QString commit()
{
    return QStringLiteral("COMMIT;");
}

QString createTable(WorkTable table)
{
    switch (table) {
    case WorkTable::R: return QStringLiteral("CREATE TABLE R(r1 TEXT,r2 TEXT);");
    case WorkTable::S: return QStringLiteral("CREATE TABLE S(so TEXT,sh TEXT,sm TEXT,sk TEXT,st TEXT);");
    case WorkTable::O: return QStringLiteral("CREATE TABLE O(o0 TEXT,o1 TEXT,o2 TEXT);");
    case WorkTable::G: return QStringLiteral("CREATE TABLE G(g0 TEXT,gs TEXT,gn TEXT,g1 TEXT,g2 TEXT);");
    }
    Q_UNREACHABLE();
}

QString createIndex(WorkTable table)
{
    switch (table) {
    case WorkTable::R: return QStringLiteral("CREATE INDEX irm ON R(r1);");
    case WorkTable::S: return QStringLiteral("CREATE INDEX ism ON S(sm);");
    case WorkTable::O: return QStringLiteral("CREATE INDEX ioo ON O(o1);");
    case WorkTable::G: return QStringLiteral("CREATE INDEX igg ON G(g1);");
    }
    Q_UNREACHABLE();
}

QString rowR(QStringView r1, QStringView r2)
{
    return insertRow(u"INSERT INTO R VALUES (", {r1, r2});
}

QString rowS(QStringView so, QStringView sh, QStringView sm, QStringView sk, QStringView st)
{
    return insertRow(u"INSERT INTO S VALUES (", {so, sh, sm, sk, st});
}

QString rowO(QStringView o0, QStringView o1, QStringView o2)
{
    return insertRow(u"INSERT INTO O VALUES (", {o0, o1, o2});
}

QString rowG(QStringView g0, QStringView gs, QStringView gn, QStringView g1, QStringView g2)
{
    return insertRow(u"INSERT INTO G VALUES (", {g0, gs, gn, g1, g2});
}

QString updateO(QStringView translation, QStringView source)
{
    // Only entries that are still untranslated take the found translation; an entry
    // with a translation of its own keeps it.
    return update(u"UPDATE O SET o2=", translation, u" WHERE o1=", source, u" AND o2=o1;");
}

QString updateG(QStringView translation, QStringView source)
{
    return update(u"UPDATE G SET g2=", translation, u",gs='复查' WHERE g1=", source, u" AND gs='未译';");
}

}
