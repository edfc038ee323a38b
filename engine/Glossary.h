#pragma once

#include "DictionaryEntry.h"

class LineReader;
class LineWriter;

// PASSOLO glossary (*.glo) as the editor reads and writes it: one entry per line,
// source, tab, translation. Numbers and statuses are not stored.

// Every line is one entry, empty lines and a language line included. Fields after
// the second are ignored; the number is the line's position counted from 1.
class GlossaryReader {
public:
    explicit GlossaryReader(LineReader &lines) : m_lines(lines) {}
    bool next(DictionaryEntry &entry);

private:
    LineReader &m_lines;
    QString m_line;
    qint64 m_lineNumber = 0;
};

// Writes no language line. A tab inside a field would split it on reading, so it is
// written as the two characters "\t", the dictionaries' one escape.
class GlossaryWriter {
public:
    explicit GlossaryWriter(LineWriter &lines) : m_lines(lines) {}
    void write(const DictionaryEntry &entry);

private:
    LineWriter &m_lines;
};
