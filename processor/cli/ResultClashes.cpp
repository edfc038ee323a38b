#include "ResultClashes.h"

#include "CliOptions.h"
#include "ConsoleText.h"
#include "FileIdentity.h"
#include "InputFile.h"

namespace ResultClashes {

QString ofResult(const QString &output, const QString &todo, const CliRequest &request)
{
    if (sameFile(output, request.files.reference))
        return QStringLiteral("已译字典会覆盖参照字典: %1").arg(shownName(output));
    if (!request.inPlace && sameFile(output, todo))
        return QStringLiteral("已译字典会覆盖它的未译字典: %1(要写回未译字典请用 --in-place)").arg(shownName(output));
    return QString();
}

QString ofSavedDatabase(const CliRequest &request, const QStringList &todos)
{
    if (request.savedDatabasePath.isEmpty())
        return QString();
    const auto clash = [&request](const QString &role) {
        return QStringLiteral("另存的参照字典数据库会覆盖%1: %2").arg(role, shownName(request.savedDatabasePath));
    };
    if (sameFile(request.savedDatabasePath, request.files.reference))
        return clash(InputRole::Reference);
    for (const QString &todo : todos) {
        if (sameFile(request.savedDatabasePath, todo))
            return clash(InputRole::Todo);
    }
    return QString();
}

}
