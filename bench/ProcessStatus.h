#pragma once

#include <QByteArray>
#include <QFile>

// A figure of this process from /proc/self/status in kB: "VmRSS" (memory held now),
// "VmHWM" (the most it held); 0 where the system gives none.
inline qint64 processStatusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}
