#pragma once

#include "DictionaryEntry.h"

class LineReader;
class LineWriter;

// Two-line text dictionary (*.a.txt, *.u.txt): per entry an empty line, the number
// line "number:source" and the translation line. Statuses are not stored.

// Yields the entries in file order. Only number lines open an entry; the line after a
// number line is its translation whatever it holds, and every other line is passed
// over. A number line without a following line raises error 62.
class TwoLineTextReader {
public:
    explicit TwoLineTextReader(LineReader &lines) : m_lines(lines) {}
    bool next(DictionaryEntry &entry);

private:
    LineReader &m_lines;
    QString m_line;
};

class TwoLineTextWriter {
public:
    explicit TwoLineTextWriter(LineWriter &lines) : m_lines(lines) {}
    void write(const DictionaryEntry &entry);

private:
    LineWriter &m_lines;
};

// A number line followed by a non-empty line makes two-line text. The line after a
// number line is taken whatever it holds; when there is none, or the file is empty, the
// read raises error 62.
bool recogniseTwoLineText(const QString &path);
