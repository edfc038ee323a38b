#pragma once

#include "DictionaryEntry.h"
#include "EntryStreams.h"
#include "KeptFile.h"

#include <QSaveFile>

#include <memory>
#include <vector>

class QIODevice;

// A translation catalogue (gettext PO, Qt TS) as a document of Quillet, whatever its
// format. Its entries are the messages that are entries (not a PO header, no obsolete or
// vanished message), numbered 1, 2, ... in file order; the number finds the message
// again. Texts are held as the job's tables hold them (JobText): a tab, line feed and
// carriage return as "\t", "\n" and "\r", a backslash doubled, so that no field of an
// entry breaks a line and each comes back unchanged.
//
// The document keeps the catalogue as it was read. A save writes a copy into which every
// entry whose status or translation differs from the file's was put: the rest of the
// file stays as it was, and an entry changed back is written as it was read.
class CatalogueDocument : public KeptFile {
public:
    qsizetype entryCount() const { return qsizetype(m_messages.size()); }
    // The entry at a position from 0, its number the position + 1.
    DictionaryEntry entry(qsizetype position) const;
    EntryNotes notes(QStringView number) const override;
    QStringList formatFlags(QStringView number) const override;

    virtual std::unique_ptr<CatalogueDocument> copy() const = 0;
    // Puts the entry's status and translation into its message where they differ; a
    // number of no entry raises error 5.
    void update(const DictionaryEntry &entry);
    virtual void write(QIODevice &device) const = 0;

protected:
    // Finds the entries among the messages, once the catalogue was read.
    void findEntries();

    virtual qsizetype messageCount() const = 0;
    virtual bool isEntry(qsizetype message) const = 0;
    virtual QString status(qsizetype message) const = 0;
    // The singular text of a plural message; its first form.
    virtual QString source(qsizetype message) const = 0;
    virtual QString translation(qsizetype message) const = 0;
    // Every form of a plural message.
    virtual void setTranslation(qsizetype message, const QString &text) = 0;
    virtual void setStatus(qsizetype message, const QString &status) = 0;
    virtual EntryNotes notesOf(qsizetype message) const = 0;
    virtual QStringList formatFlagsOf(qsizetype message) const { return notesOf(message).formatFlags; }

private:
    // The message of the entry with the number; -1 for none.
    qsizetype messageOf(QStringView number) const;

    std::vector<quint32> m_messages;
};

// Hands the catalogue's entries to a document, then the catalogue itself.
class CatalogueDocumentReader : public EntryReader {
public:
    explicit CatalogueDocumentReader(std::unique_ptr<CatalogueDocument> catalogue);
    bool next(DictionaryEntry &entry) override;
    std::unique_ptr<KeptFile> takeFile() override { return std::move(m_catalogue); }

private:
    std::unique_ptr<CatalogueDocument> m_catalogue;
    qsizetype m_next = 0;
};

// Writes a copy of the kept catalogue with the entries put in, through a temporary file.
class CatalogueDocumentWriter : public DictionaryFileWriter {
public:
    CatalogueDocumentWriter(const QString &path, const CatalogueDocument &kept);
    ~CatalogueDocumentWriter() override;
    void write(const DictionaryEntry &entry) override { m_catalogue->update(entry); }
    void flush() override;
    void commit() override;

private:
    std::unique_ptr<CatalogueDocument> m_catalogue;
    QSaveFile m_file;
    bool m_written = false;
};

// The registry's document role of a catalogue format. A document whose kept file is not
// a catalogue of this format cannot be written in it: an error, and nothing written.
template <typename Document>
std::unique_ptr<EntryReader> openCatalogueDocument(const QString &path)
{
    return std::make_unique<CatalogueDocumentReader>(std::make_unique<Document>(path));
}

[[noreturn]] void refuseForeignDocument(const QString &path);

template <typename Document>
std::unique_ptr<DictionaryFileWriter> createCatalogueDocument(const QString &path, const KeptFile *kept)
{
    const auto *own = dynamic_cast<const Document *>(kept);
    if (!own)
        refuseForeignDocument(path);
    return std::make_unique<CatalogueDocumentWriter>(path, *own);
}
