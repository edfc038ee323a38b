#pragma once

#include "DictionaryEntry.h"

class LineReader;
class LineWriter;

// PASSOLO glossary (*.glo): one entry per line, source, tab, translation. Numbers and
// statuses are not stored. A glossary may begin with a language line that names its two
// languages ("9 1", tab, "4 2").
//
// The glossary is read by two rules, one for each reader:
// - a document keeps every line as an entry (GlossaryDocumentReader);
// - a job passes over a line of three or more fields (isJobPair), which holds no one
//   pair of source and translation to match by.

// Every line is one entry, empty lines and a language line included. Fields after the
// second are ignored; the number is the line's position counted from 1.
class GlossaryDocumentReader {
public:
    explicit GlossaryDocumentReader(LineReader &lines) : m_lines(lines) {}
    bool next(DictionaryEntry &entry);

private:
    LineReader &m_lines;
    QString m_line;
    qint64 m_lineNumber = 0;
};

// Whether a job takes the line of this many tab-separated fields as a pair of source
// (field 1) and translation (field 2, empty when missing).
bool isJobPair(int fieldCount);

// Writes no language line. A tab inside a field would split it on reading, so it is
// written as the two characters "\t", the dictionaries' one escape.
class GlossaryWriter {
public:
    explicit GlossaryWriter(LineWriter &lines) : m_lines(lines) {}
    void write(const DictionaryEntry &entry);

private:
    LineWriter &m_lines;
};

// A file with a line of exactly one tab is a glossary. An empty file raises error 62.
// With languagePair, the first single-tab line becomes the pair when it holds two known
// language identifiers; otherwise the caller's value is left as it was.
bool recogniseGlossary(const QString &path, QString *languagePair);
