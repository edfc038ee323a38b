#include "ProcessStatus.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>

#include <unistd.h>

namespace {

// The fields after the command name, which may itself hold blanks and parentheses:
// state, parent, group, ... with the start time as the 20th of them.
constexpr int StateField = 0;
constexpr int GroupField = 2;
constexpr int StartField = 19;

std::optional<QByteArray> statLine(pid_t pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

}

std::optional<ProcessStatus> ProcessStatus::of(pid_t pid)
{
    const std::optional<QByteArray> line = pid > 0 ? statLine(pid) : std::nullopt;
    if (!line)
        return std::nullopt;
    const QList<QByteArray> fields = line->mid(line->lastIndexOf(')') + 2).split(' ');
    if (fields.size() <= StartField)
        return std::nullopt;
    ProcessStatus status;
    status.pid = pid;
    status.zombie = fields[StateField] == "Z" || fields[StateField] == "X";
    status.group = pid_t(fields[GroupField].toLong());
    status.startTicks = fields[StartField].toULongLong();
    return status;
}

ProcessStatus ProcessStatus::self()
{
    return of(getpid()).value_or(ProcessStatus{getpid(), getpgrp(), 0, false});
}

bool ProcessStatus::groupRuns(pid_t group)
{
    const QStringList ids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &id : ids) {
        const std::optional<ProcessStatus> status = of(pid_t(id.toLong()));
        if (status && status->group == group && !status->zombie)
            return true;
    }
    return false;
}
