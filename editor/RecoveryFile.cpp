#include "RecoveryFile.h"

#include "EditorSettings.h"
#include "ErrorReport.h"
#include "GridModel.h"
#include "formats/TableText.h"
#include "TextFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>


namespace {

const QString Heading = QStringLiteral("Quillet recovery 1");
const QString Suffix = QStringLiteral(".recovery");

// "x.a.txt-3f2a9c01.recovery": the name tells the user whose it is, the hash of the
// whole path keeps documents of the same name apart.
QString recoveryPath(const QString &documentPath)
{
    const QByteArray hash = QCryptographicHash::hash(documentPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return EditorSettings::recoveryFolder() + QFileInfo(documentPath).fileName() + u'-' + QString::fromLatin1(hash)
        + Suffix;
}

[[noreturn]] void notThisDocument(const QString &path)
{
    Errors::raiseText(QStringLiteral("恢复文件与文档不符: %1").arg(path));
}

}

RecoveryFile::RecoveryFile(const QString &documentPath)
    : m_documentPath(documentPath), m_path(recoveryPath(documentPath))
{
}

QStringList RecoveryFile::documents()
{
    const QFileInfoList files = QDir(EditorSettings::recoveryFolder())
                                    .entryInfoList({u'*' + Suffix}, QDir::Files, QDir::Time);
    QStringList documents;
    for (const QFileInfo &file : files) {
        try {
            TextFileReader reader(file.filePath(), TextEncoding::Utf8);
            QString heading;
            QString document;
            if (reader.lines().readLine(heading) && heading == Heading && reader.lines().readLine(document))
                documents.append(document);
        } catch (const AppError &) {
            // Another program's file, or one going away meanwhile: not offered.
        }
    }
    return documents;
}

bool RecoveryFile::exists() const
{
    return QFileInfo::exists(m_path);
}

QDateTime RecoveryFile::written() const
{
    return QFileInfo(m_path).lastModified();
}

void RecoveryFile::write(const DictionaryDocument &document, const std::vector<quint32> &entries) const
{
    QDir().mkpath(EditorSettings::recoveryFolder());
    TextFileWriter file(m_path, TextEncoding::Utf8);
    LineWriter &lines = file.lines();
    lines.writeLine(Heading);
    lines.writeLine(m_documentPath);
    lines.writeLine(QString::number(document.size()));
    TableTextWriter records(lines);
    for (const quint32 entry : entries) {
        lines.writeLine(u'@' + QString::number(entry));
        records.write(document.entryView(entry));
    }
    file.commit();
}

std::vector<EntryState> RecoveryFile::read(GridModel &model) const
{
    const DictionaryDocument &document = model.document();
    TextFileReader file(m_path, TextEncoding::Utf8);
    LineReader &lines = file.lines();
    if (lines.requireLine() != Heading || lines.requireLine() != m_documentPath
        || lines.requireLine() != QString::number(document.size()))
        notThisDocument(m_path);
    std::vector<EntryState> states;
    TableTextReader records(lines);
    QString line;
    DictionaryEntry entry;
    while (lines.readLine(line)) {
        bool numeric = false;
        const uint index = line.startsWith(u'@') ? QStringView(line).sliced(1).toUInt(&numeric) : 0;
        if (!numeric || qsizetype(index) >= document.size() || !records.next(entry) || entry.number != document.number(index)
            || entry.source != document.source(index))
            notThisDocument(m_path);
        if (auto state = model.stateWith(index, entry.status, entry.translation))
            states.push_back(*state);
    }
    return states;
}

void RecoveryFile::remove() const
{
    QFile::remove(m_path);
}
