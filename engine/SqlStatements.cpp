#include "SqlStatements.h"

#include <initializer_list>

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
    statement.append(u'\'');
    qsizetype copied = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        // Everything that needs care sorts at or below the quote.
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
