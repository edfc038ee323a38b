#include "ResultClashes.h"

#include "CliOptions.h"
#include "ConsoleText.h"
#include "ErrorReport.h"
#include "FileIdentity.h"
#include "InputFile.h"
#include "formats/DictionaryFormats.h"

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

QString ofInPlaceUpdate(const DictionaryFormat &format)
{
    if (!format.todo || format.todo->keepsEveryEntry)
        return QString();
    return QStringLiteral("%1的结果只含匹配到的条目，用 --in-place 写回会丢失未匹配的条目").arg(format.name);
}

QString ofInPlaceUpdate(const QString &todo)
{
    QString reason;
    try {
        if (const DictionaryFormat *format = DetectDictionaryFormat(todo))
            reason = ofInPlaceUpdate(*format);
    } catch (const AppError &) {
    }
    return reason.isEmpty() ? reason : QStringLiteral("不能写回未译字典 %1: %2").arg(shownName(todo), reason);
}

}
