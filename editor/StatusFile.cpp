#include "StatusFile.h"

#include "DictionaryDocument.h"
#include "ErrorReport.h"
#include "MessageService.h"
#include "formats/DictionaryFormats.h"
#include "formats/EntryStreams.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <utility>
#include <vector>

namespace {

// A status the status file gives an entry where its texts would give another.
struct KeptStatus {
    quint32 entry;
    QString status;
};

// The statuses to take from the file at the path; nothing when the file does not hold
// the document's entries (or cannot be read, which comes to the same).
std::optional<std::vector<KeptStatus>> readStatuses(const QString &path, const DictionaryDocument &document)
{
    std::vector<KeptStatus> kept;
    try {
        const std::unique_ptr<EntryReader> reader = DictionaryFormats::documentFormatFor(path)->document->openReader(path);
        DictionaryEntry entry;
        const std::vector<quint32> order = document.orderByNumber();
        for (const quint32 i : order) {
            if (!reader->next(entry) || entry.number != document.number(i) || entry.source != document.source(i))
                return std::nullopt;
            if (entry.status != document.status(i) && entry.translation == document.translation(i))
                kept.push_back(KeptStatus{i, entry.status});
        }
        if (reader->next(entry))
            return std::nullopt;
    } catch (const AppError &) {
        return std::nullopt;
    }
    return kept;
}

// "x.a.csv.bak", or "x.a.csv.bak2" and on where that is taken.
QString freeBackupName(const QString &path)
{
    QString name = path + QStringLiteral(".bak");
    for (int i = 2; QFileInfo::exists(name); ++i)
        name = path + QStringLiteral(".bak") + QString::number(i);
    return name;
}

}

QString StatusFile::pathFor(const QString &documentPath)
{
    const QString companion = DictionaryFormats::companionPath(documentPath);
    const DictionaryFormat *format = DictionaryFormats::documentFormatFor(companion);
    return format && format->document->keepsStatuses ? companion : QString();
}

void StatusFile::documentRead(const QString &documentPath, DictionaryDocument &document)
{
    m_known.reset();
    const QString path = pathFor(documentPath);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    const std::optional<std::vector<KeptStatus>> kept = readStatuses(path, document);
    if (!kept)
        return;
    for (const KeptStatus &status : *kept)
        document.setStatus(status.entry, status.status);
    remember(path);
}

bool StatusFile::confirmReplace(const QString &documentPath, const DictionaryDocument &document,
                                QWidget *messageParent)
{
    const QString path = pathFor(documentPath);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return true;
    if (path == m_knownPath && m_known && stampOf(path) == m_known)
        return true;
    if (readStatuses(path, document))
        return true;
    const QString backup = freeBackupName(path);
    const QString question = QStringLiteral("状态文件“%1”中的条目与文档不符。\r\n"
                                            "保存会替换它，原来的状态文件将改名为“%2”。要继续吗？")
                                 .arg(QFileInfo(path).fileName(), QFileInfo(backup).fileName());
    if (askUser(messageParent, question, MessageService::Buttons::OkCancel, MessageService::Icon::Exclamation)
        != MessageService::Ok)
        return false;
    if (!QFile::rename(path, backup)) {
        askUser(messageParent, QStringLiteral("无法将状态文件改名为:\r\n") + backup, MessageService::Buttons::Ok,
                MessageService::Icon::Critical);
        return false;
    }
    return true;
}

void StatusFile::documentSaved(const QString &documentPath)
{
    m_known.reset();
    const QString path = pathFor(documentPath);
    if (!path.isEmpty())
        remember(path);
}

void StatusFile::remember(const QString &statusPath)
{
    m_knownPath = statusPath;
    m_known = stampOf(statusPath);
}

std::optional<StatusFile::Stamp> StatusFile::stampOf(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return Stamp{static_cast<quint64>(info.st_ino), static_cast<qint64>(info.st_size),
                 static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}
