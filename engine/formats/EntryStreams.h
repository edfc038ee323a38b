#pragma once

#include "DictionaryEntry.h"
#include "KeptFile.h"
#include "TextFile.h"

#include <memory>

// Entries read from or written to a dictionary file, whatever its format.
class EntryReader {
public:
    virtual ~EntryReader() = default;
    // False once the file holds no further entry.
    virtual bool next(DictionaryEntry &entry) = 0;
    // What a document keeps of the file, once every entry was read; nothing for most formats.
    virtual std::unique_ptr<KeptFile> takeFile() { return nullptr; }
};

class EntryWriter {
public:
    virtual ~EntryWriter() = default;
    virtual void write(const DictionaryEntry &entry) = 0;
};

// Writes into a temporary file beside the target; only commit() puts it in place, and a
// writer destroyed uncommitted leaves the target as it was.
class DictionaryFileWriter : public EntryWriter {
public:
    // Puts everything written on the disk, so that commit() can no longer fail for space.
    virtual void flush() = 0;
    virtual void commit() = 0;
};

// The formats of text lines: a reader or writer of lines (GlossaryReader, TableTextWriter,
// ...) over a whole file, read by the encoding rule and written back in the encoding the
// target was written in (GB18030 for a new file).
template <typename LineFormatReader>
class TextEntryFileReader : public EntryReader {
public:
    explicit TextEntryFileReader(const QString &path) : m_file(path), m_reader(m_file.lines()) {}
    bool next(DictionaryEntry &entry) override { return m_reader.next(entry); }

private:
    TextFileReader m_file;
    LineFormatReader m_reader;
};

template <typename LineFormatWriter>
class TextEntryFileWriter : public DictionaryFileWriter {
public:
    explicit TextEntryFileWriter(const QString &path) : m_file(path, encodingOfFile(path)), m_writer(m_file.lines()) {}
    void write(const DictionaryEntry &entry) override { m_writer.write(entry); }
    void flush() override { m_file.flush(); }
    void commit() override { m_file.commit(); }

private:
    TextFileWriter m_file;
    LineFormatWriter m_writer;
};

// A writer of lines into lines someone else opened, as the export does after its own first line.
template <typename LineFormatWriter>
class EntryLineWriter : public EntryWriter {
public:
    explicit EntryLineWriter(LineWriter &lines) : m_writer(lines) {}
    void write(const DictionaryEntry &entry) override { m_writer.write(entry); }

private:
    LineFormatWriter m_writer;
};

template <typename LineFormatReader>
std::unique_ptr<EntryReader> openTextEntryFile(const QString &path)
{
    return std::make_unique<TextEntryFileReader<LineFormatReader>>(path);
}

// The entries' fields are all a file of lines holds: nothing kept is needed.
template <typename LineFormatWriter>
std::unique_ptr<DictionaryFileWriter> createTextEntryFile(const QString &path, const KeptFile *)
{
    return std::make_unique<TextEntryFileWriter<LineFormatWriter>>(path);
}

template <typename LineFormatWriter>
std::unique_ptr<EntryWriter> writeEntryLines(LineWriter &lines)
{
    return std::make_unique<EntryLineWriter<LineFormatWriter>>(lines);
}
