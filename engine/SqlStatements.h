#pragma once

#include <QString>
#include <QStringView>

// The tables of the working database.
enum class WorkTable { R, S, O, G };

// The text of every statement the job's SQL scripts hold, one statement per line.
namespace Sql {

// The one quoting of a value: between single quotes, each quote doubled. A CR or LF
// is written as char(13) / char(10) joined on with "||" and a NUL is dropped, so no
// value can end its line and start a statement or a dot-command of its own.
void appendQuoted(QString &statement, QStringView value);
QString quoted(QStringView value);

QString beginTransaction();
QString commit();
QString createTable(WorkTable table);
QString createIndex(WorkTable table);

QString rowR(QStringView r1, QStringView r2);
QString rowS(QStringView so, QStringView sh, QStringView sm, QStringView sk, QStringView st);
QString rowO(QStringView o0, QStringView o1, QStringView o2);
QString rowG(QStringView g0, QStringView gs, QStringView gn, QStringView g1, QStringView g2);

// Puts a found translation on the still untranslated entries with this source text.
QString updateO(QStringView translation, QStringView source);
// Also marks the changed entries for review; entries no longer untranslated keep theirs.
QString updateG(QStringView translation, QStringView source);

}
