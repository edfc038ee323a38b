#include "BatchPlan.h"

#include "CliOptions.h"
#include "ConsoleText.h"
#include "ErrorReport.h"
#include "FileIdentity.h"
#include "InputFile.h"
#include "ResultClashes.h"
#include "formats/DictionaryFormats.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace {

// Special files and dangling links are listed too, so that they are reported as skipped.
QStringList filesBelow(const QString &folder, bool recursive)
{
    QStringList files;
    QDirIterator found(folder, DictionaryFormats::todoNamePatterns(), QDir::Files | QDir::System,
                       recursive ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (found.hasNext())
        files << found.next();
    std::sort(files.begin(), files.end());
    return files;
}

// Why the file cannot be a to-do dictionary of the batch, or nothing; format is then its format.
QString unusable(const QString &todo, const CliRequest &request, const DictionaryFormat **format)
{
    const InputProblem problem = inputProblem(todo);
    if (problem != InputProblem::None)
        return inputProblemText(problem, InputRole::Todo);
    try {
        *format = DetectDictionaryFormat(todo);
        if (!*format || !(*format)->todo)
            return unrecognisedFormatText(InputRole::Todo);
    } catch (const AppError &error) {
        return consoleText(error.description(), {todo});
    }
    return request.inPlace ? ResultClashes::ofInPlaceUpdate(**format) : QString();
}

}

BatchPlan BatchPlan::make(const CliRequest &request, QTextStream &err)
{
    BatchPlan plan;
    if (!request.todoDir.isEmpty() && !QFileInfo(request.todoDir).isDir()) {
        err << QStringLiteral("未译字典文件夹不存在: %1").arg(shownName(request.todoDir)) << Qt::endl;
        plan.m_refused = true;
        return plan;
    }
    plan.addCandidates(request, err);
    if (!plan.refuseClashes(request, err))
        plan.m_refused = true;
    return plan;
}

void BatchPlan::addCandidates(const CliRequest &request, QTextStream &err)
{
    for (const QString &todo : request.todos)
        add(todo, QFileInfo(todo).fileName(), request, err);
    if (request.todoDir.isEmpty())
        return;
    const QDir folder(QFileInfo(request.todoDir).absoluteFilePath());
    // Results of an earlier batch in an output folder below the to-do folder are no
    // to-do files, whatever name the folder was given. An output folder that is the
    // to-do folder itself is refused with the clashes instead.
    const bool outputBelow = !request.inPlace && liesWithin(request.outputDir, folder.path())
        && resolvedPath(request.outputDir) != resolvedPath(folder.path());
    for (const QString &todo : filesBelow(folder.path(), request.recursive)) {
        if (!outputBelow || !liesWithin(QFileInfo(todo).absolutePath(), request.outputDir))
            add(todo, folder.relativeFilePath(todo), request, err);
    }
}

void BatchPlan::add(const QString &todo, const QString &name, const CliRequest &request, QTextStream &err)
{
    const DictionaryFormat *format = nullptr;
    const QString reason = unusable(todo, request, &format);
    if (!reason.isEmpty()) {
        err << shownName(name) << QStringLiteral(": ") << reason << QStringLiteral("，已跳过") << Qt::endl;
        ++m_skipped;
        return;
    }
    const QString output = request.inPlace ? todo : QDir(request.outputDir).filePath(format->todo->resultName(name));
    m_items.push_back({QFileInfo(todo).absoluteFilePath(), name, QFileInfo(output).absoluteFilePath()});
}

bool BatchPlan::refuseClashes(const CliRequest &request, QTextStream &err)
{
    bool clear = true;
    const auto refuse = [&](const QString &text) {
        err << text << Qt::endl;
        clear = false;
    };
    QHash<QString, QString> todos;
    QHash<QString, QString> writers;
    QStringList todoPaths;
    for (const BatchItem &item : m_items) {
        todoPaths << item.todo;
        const QString identity = fileIdentity(item.todo).value_or(item.todo);
        if (todos.contains(identity)) {
            refuse(QStringLiteral("同一个未译字典给了两次: %1").arg(shownName(item.todo)));
            continue;
        }
        todos.insert(identity, item.todo);
        if (const QString clash = ResultClashes::ofResult(item.output, item.todo, request); !clash.isEmpty())
            refuse(clash);
        const QString output = resolvedPath(item.output);
        if (const QString earlier = writers.value(output); !earlier.isEmpty()) {
            refuse(QStringLiteral("两个未译字典会写入同一个已译字典 %1: %2 和 %3")
                       .arg(shownName(item.output), shownName(earlier), shownName(item.todo)));
        }
        writers.insert(output, item.todo);
    }
    if (const QString clash = ResultClashes::ofSavedDatabase(request, todoPaths); !clash.isEmpty())
        refuse(clash);
    return clear;
}

bool BatchPlan::makeOutputFolders(QTextStream &err) const
{
    for (const BatchItem &item : m_items) {
        const QString folder = QFileInfo(item.output).absolutePath();
        if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
            err << QStringLiteral("无法创建已译字典的文件夹: %1").arg(shownName(folder)) << Qt::endl;
            return false;
        }
    }
    return true;
}
