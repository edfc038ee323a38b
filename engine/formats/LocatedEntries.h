#pragma once

#include "EntryStreams.h"

#include <QStringList>

// An entry as the quality checks read it from a file: where the file has it and the
// number it goes by, its texts and status, and the format flags its file gives it
// ("c-format", "no-qt-format"; none for the dictionaries). A plural catalogue entry
// comes once per translation form, each form with the source it translates.
struct LocatedEntry {
    // The line the entry starts on, counted from 1.
    qint64 line = 0;
    // The number the file gives the entry, or its place among the file's entries.
    QString number;
    QString status;
    QString source;
    QString translation;
    QStringList formatFlags;
};

class LocatedEntryReader {
public:
    virtual ~LocatedEntryReader() = default;
    // False once the file holds no further entry.
    virtual bool next(LocatedEntry &entry) = 0;
};

// A dictionary of text lines read by its document reader, read as it streams: the
// entry starts linesAfterStart lines before the last line the reader took (the number
// line of a two-line entry is one before its translation). An entry without a number
// gets its place.
template <typename LineFormatReader, int linesAfterStart = 0>
class LocatedTextEntryReader : public LocatedEntryReader {
public:
    explicit LocatedTextEntryReader(const QString &path) : m_file(path), m_reader(m_file.lines()) {}
    bool next(LocatedEntry &located) override
    {
        if (!m_reader.next(m_entry))
            return false;
        ++m_count;
        located.line = m_file.lines().linesRead() - linesAfterStart;
        located.number = m_entry.number.isEmpty() ? QString::number(m_count) : m_entry.number;
        located.status = m_entry.status;
        located.source = m_entry.source;
        located.translation = m_entry.translation;
        return true;
    }

private:
    TextFileReader m_file;
    LineFormatReader m_reader;
    DictionaryEntry m_entry;
    qint64 m_count = 0;
};

template <typename LineFormatReader, int linesAfterStart = 0>
std::unique_ptr<LocatedEntryReader> openLocatedTextEntries(const QString &path)
{
    return std::make_unique<LocatedTextEntryReader<LineFormatReader, linesAfterStart>>(path);
}

// The messages of a PO catalogue, obsolete ones left out, each at the line of its
// msgid and numbered by its place. A plural form translates msgid_plural, except the
// first form of a catalogue with more than one form, which translates msgid.
std::unique_ptr<LocatedEntryReader> openLocatedPoEntries(const QString &path);
// The messages of a TS catalogue that are entries, at the line of their start tag and
// numbered by their place among the entries; every numerus form translates the source.
std::unique_ptr<LocatedEntryReader> openLocatedTsEntries(const QString &path);
