#pragma once

#include <QString>
#include <QStringList>

struct CliRequest;

// What the command line would write over what it reads, found before anything runs.
namespace ResultClashes {
// Why the result may not go there: over the reference, or over its own to-do
// dictionary unless --in-place asked for that. Empty when it may.
QString ofResult(const QString &output, const QString &todo, const CliRequest &request);
// Why the database --save-db names may not go there: over the reference or a to-do.
QString ofSavedDatabase(const CliRequest &request, const QStringList &todos);
}
