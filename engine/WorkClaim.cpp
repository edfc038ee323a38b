#include "WorkClaim.h"

#include "ErrorReport.h"
#include "ProcessStatus.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <optional>

namespace {

const QString MarkSuffix = QStringLiteral(".owner");
// Only marks of this program's own names are read: the folder may hold anything else.
const QString StemPrefix = QStringLiteral("tly");

QByteArray ownerText(const ProcessStatus &owner)
{
    return QByteArray::number(owner.pid) + ' ' + QByteArray::number(owner.startTicks) + '\n';
}

// Whether the mark names a process that still runs; a mark that cannot be read (one
// being written this moment) is taken as owned.
bool ownerRuns(const QString &markPath)
{
    QFile mark(markPath);
    if (!mark.open(QIODevice::ReadOnly))
        return true;
    const QList<QByteArray> fields = mark.readAll().trimmed().split(' ');
    bool pidOk = false;
    bool startOk = false;
    const pid_t pid = fields.value(0).toInt(&pidOk);
    const quint64 start = fields.value(1).toULongLong(&startOk);
    if (fields.size() != 2 || !pidOk || !startOk)
        return true;
    const std::optional<ProcessStatus> owner = ProcessStatus::of(pid);
    return owner && !owner->zombie && owner->startTicks == start;
}

void removeEntries(const QDir &folder, const QString &stem)
{
    // Stems differ in case alone as well.
    const QStringList names =
        folder.entryList({stem, stem + QStringLiteral(".*"), stem + QStringLiteral("-*")},
                         QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot | QDir::CaseSensitive);
    for (const QString &name : names) {
        const QString path = folder.filePath(name);
        if (name == stem + MarkSuffix)
            continue;
        if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
}

}

WorkClaim WorkClaim::make(const QString &folder, const QString &pattern)
{
    QTemporaryFile mark(QDir(folder).filePath(pattern + MarkSuffix));
    mark.setAutoRemove(false);
    const QByteArray owner = ownerText(ProcessStatus::self());
    if (!mark.open() || mark.write(owner) != owner.size() || !mark.flush()) {
        mark.remove();
        Errors::raise(Errors::PathFileAccess, folder);
    }
    WorkClaim claim;
    claim.m_folder = QFileInfo(mark.fileName()).absolutePath();
    claim.m_stem = QFileInfo(mark.fileName()).fileName().chopped(MarkSuffix.size());
    return claim;
}

WorkClaim::WorkClaim(WorkClaim &&other) noexcept
    : m_folder(std::exchange(other.m_folder, QString())), m_stem(std::exchange(other.m_stem, QString()))
{
}

WorkClaim &WorkClaim::operator=(WorkClaim &&other) noexcept
{
    if (this != &other) {
        WorkClaim old(std::move(*this));
        m_folder = std::exchange(other.m_folder, QString());
        m_stem = std::exchange(other.m_stem, QString());
    }
    return *this;
}

WorkClaim::~WorkClaim()
{
    if (!m_stem.isEmpty())
        QFile::remove(markPath());
}

QString WorkClaim::path(const QString &suffix) const
{
    return QDir(m_folder).filePath(m_stem + suffix);
}

QString WorkClaim::markPath() const
{
    return path(MarkSuffix);
}

void WorkClaim::removeStale(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &mark : dir.entryList({StemPrefix + QStringLiteral("*") + MarkSuffix},
                                             QDir::Files | QDir::Hidden | QDir::CaseSensitive)) {
        if (ownerRuns(dir.filePath(mark)))
            continue;
        removeEntries(dir, mark.chopped(MarkSuffix.size()));
        QFile::remove(dir.filePath(mark));
    }
}
