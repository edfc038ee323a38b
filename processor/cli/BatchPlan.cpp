#include "BatchPlan.h"

#include "CliOptions.h"
#include "ErrorReport.h"
#include "formats/DictionaryFormats.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace {

QStringList filesBelow(const QString &folder, bool recursive)
{
    QStringList files;
    QDirIterator found(folder, DictionaryFormats::todoNamePatterns(), QDir::Files,
                       recursive ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (found.hasNext())
        files << found.next();
    std::sort(files.begin(), files.end());
    return files;
}

// Why the file cannot be a to-do dictionary, or nothing.
QString unusable(const QString &todo)
{
    const QFileInfo file(todo);
    if (!file.isFile() || !file.isReadable())
        return QStringLiteral("无法读取未译字典");
    try {
        const DictionaryFormat *format = DetectDictionaryFormat(todo);
        if (!format || !format->todo)
            return QStringLiteral("不能检测出“未译字典”的文件格式");
    } catch (const AppError &error) {
        return error.description();
    }
    return QString();
}

}

BatchPlan BatchPlan::make(const CliRequest &request, QTextStream &err)
{
    BatchPlan plan;
    if (!request.todoDir.isEmpty() && !QFileInfo(request.todoDir).isDir()) {
        err << QStringLiteral("未译字典文件夹不存在: %1").arg(request.todoDir) << Qt::endl;
        plan.m_refusal = Refusal::BadArguments;
        return plan;
    }
    plan.addCandidates(request, err);
    if (!plan.refuseCollisions(err))
        plan.m_refusal = Refusal::BadArguments;
    else if (!plan.makeOutputFolders(err))
        plan.m_refusal = Refusal::OutputFolder;
    return plan;
}

void BatchPlan::addCandidates(const CliRequest &request, QTextStream &err)
{
    for (const QString &todo : request.todos)
        add(todo, QFileInfo(todo).fileName(), request.outputDir, err);
    if (request.todoDir.isEmpty())
        return;
    const QDir folder(QFileInfo(request.todoDir).absoluteFilePath());
    // Results of an earlier batch in an output folder below the to-do folder are no to-do files.
    const QString outputBelow = QFileInfo(request.outputDir).absoluteFilePath() + u'/';
    for (const QString &todo : filesBelow(folder.path(), request.recursive)) {
        if (outputBelow == folder.path() + u'/' || !todo.startsWith(outputBelow))
            add(todo, folder.relativeFilePath(todo), request.outputDir, err);
    }
}

void BatchPlan::add(const QString &todo, const QString &name, const QString &outputDir, QTextStream &err)
{
    const QString reason = unusable(todo);
    if (!reason.isEmpty()) {
        err << name << QStringLiteral(": ") << reason << QStringLiteral("，已跳过") << Qt::endl;
        ++m_skipped;
        return;
    }
    const QString output = QFileInfo(QDir(outputDir).filePath(name)).absoluteFilePath();
    m_items.push_back({QFileInfo(todo).absoluteFilePath(), name, output});
}

bool BatchPlan::refuseCollisions(QTextStream &err)
{
    QHash<QString, QString> writers;
    bool clear = true;
    for (const BatchItem &item : m_items) {
        const QString earlier = writers.value(item.output);
        if (!earlier.isEmpty()) {
            err << QStringLiteral("两个未译字典会写入同一个已译字典 %1: %2 和 %3").arg(item.output, earlier, item.todo)
                << Qt::endl;
            clear = false;
        }
        writers.insert(item.output, item.todo);
    }
    return clear;
}

bool BatchPlan::makeOutputFolders(QTextStream &err)
{
    for (const BatchItem &item : m_items) {
        const QString folder = QFileInfo(item.output).absolutePath();
        if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
            err << QStringLiteral("无法创建已译字典的文件夹: %1").arg(folder) << Qt::endl;
            return false;
        }
    }
    return true;
}
