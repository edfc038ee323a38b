#pragma once

#include <QString>
#include <QStringList>

struct CliRequest;
struct DictionaryFormat;

// What the command line would write over what it reads, found before anything runs.
namespace ResultClashes {
// Why the result may not go there: over the reference, or over its own to-do
// dictionary unless --in-place asked for that. Empty when it may.
QString ofResult(const QString &output, const QString &todo, const CliRequest &request);
// Why the database --save-db names may not go there: over the reference or a to-do.
QString ofSavedDatabase(const CliRequest &request, const QStringList &todos);
// Why --in-place may not write the result over a to-do of this format: the result would
// hold only the matched entries. Empty when it may.
QString ofInPlaceUpdate(const DictionaryFormat &format);
// The same, naming the to-do, for one whose format is still to be recognised; a file that
// is not is left for the job to report.
QString ofInPlaceUpdate(const QString &todo);
}
