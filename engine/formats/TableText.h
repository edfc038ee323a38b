#pragma once

#include "DictionaryEntry.h"

class LineReader;
class LineWriter;

// The editor's own table text (*.a.csv, *.u.csv), the one format that keeps all four
// fields: one record per line, "status,number,source,translation", no header. A field
// that holds a comma, a double quote or white space at either end is put in double quotes,
// its own double quotes doubled; every other text stands as it is.

// Empty lines are passed over. A record of older files may lead with an empty outline
// column; it is recognised by the status text in its second field and dropped.
// Missing fields read as empty, fields beyond the entry's are ignored.
class TableTextReader {
public:
    explicit TableTextReader(LineReader &lines) : m_lines(lines) {}
    bool next(DictionaryEntry &entry);

private:
    LineReader &m_lines;
    QString m_line;
};

class TableTextWriter {
public:
    explicit TableTextWriter(LineWriter &lines) : m_lines(lines) {}
    void write(const DictionaryEntry &entry);

private:
    void writeField(const QString &field);

    LineWriter &m_lines;
};
