#include "CatalogueDocument.h"

#include "CatalogueJob.h"
#include "ErrorReport.h"
#include "TextFile.h"

DictionaryEntry CatalogueDocument::entry(qsizetype position) const
{
    const qsizetype message = m_messages[size_t(position)];
    return DictionaryEntry{status(message), QString::number(position + 1), JobText::fromCatalogue(source(message)),
                           JobText::fromCatalogue(translation(message))};
}

EntryNotes CatalogueDocument::notes(QStringView number) const
{
    const qsizetype message = messageOf(number);
    return message < 0 ? EntryNotes() : notesOf(message);
}

QStringList CatalogueDocument::formatFlags(QStringView number) const
{
    const qsizetype message = messageOf(number);
    return message < 0 ? QStringList() : formatFlagsOf(message);
}

void CatalogueDocument::update(const DictionaryEntry &entry)
{
    const qsizetype message = messageOf(entry.number);
    if (message < 0)
        Errors::raise(Errors::InvalidCall, entry.number);
    if (JobText::fromCatalogue(translation(message)) != entry.translation)
        setTranslation(message, JobText::toCatalogue(entry.translation));
    if (status(message) != entry.status)
        setStatus(message, entry.status);
}

void CatalogueDocument::findEntries()
{
    m_messages.clear();
    for (qsizetype message = 0, count = messageCount(); message < count; ++message) {
        if (isEntry(message))
            m_messages.push_back(quint32(message));
    }
}

qsizetype CatalogueDocument::messageOf(QStringView number) const
{
    bool numeric = false;
    const qulonglong value = number.toULongLong(&numeric);
    return numeric && value >= 1 && value <= m_messages.size() ? qsizetype(m_messages[value - 1]) : -1;
}

CatalogueDocumentReader::CatalogueDocumentReader(std::unique_ptr<CatalogueDocument> catalogue)
    : m_catalogue(std::move(catalogue))
{
}

bool CatalogueDocumentReader::next(DictionaryEntry &entry)
{
    if (!m_catalogue || m_next == m_catalogue->entryCount())
        return false;
    entry = m_catalogue->entry(m_next++);
    return true;
}

CatalogueDocumentWriter::CatalogueDocumentWriter(const QString &path, const CatalogueDocument &kept)
    : m_catalogue(kept.copy()), m_file(path)
{
    if (!m_file.open(QIODevice::WriteOnly))
        raiseWriteFailure(&m_file);
}

CatalogueDocumentWriter::~CatalogueDocumentWriter()
{
    if (m_file.isOpen())
        m_file.cancelWriting();
}

void CatalogueDocumentWriter::flush()
{
    if (!m_written) {
        m_catalogue->write(m_file);
        m_written = true;
    }
    if (!m_file.flush())
        raiseWriteFailure(&m_file);
}

void CatalogueDocumentWriter::commit()
{
    flush();
    if (!m_file.commit())
        raiseWriteFailure(&m_file);
}

void refuseForeignDocument(const QString &path)
{
    Errors::raiseText(QStringLiteral("只有从此格式的文件打开的文档才能保存为此格式: %1").arg(path));
}
