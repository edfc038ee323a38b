#include "Glossary.h"

#include "GlossaryLanguages.h"
#include "TextFile.h"

namespace {

// How many glossary lines a scan needs before it is sure.
constexpr int GlossaryLinesNeeded = 10;

void writeField(LineWriter &lines, const QString &field)
{
    if (!field.contains(u'\t')) {
        lines.writeRaw(field);
        return;
    }
    QString escaped = field;
    lines.writeRaw(escaped.replace(u'\t', QStringLiteral("\\t")));
}

struct GlossaryScan {
    int singleTabLines = 0;
    // The two pieces of the candidate language line.
    QString first;
    QString second;
};

// The first line is read before the end is tested, so an empty file raises error 62.
GlossaryScan scanGlossaryLines(const QString &path)
{
    TextFileReader file(path);
    LineReader &lines = file.lines();
    GlossaryScan scan;
    do {
        const QString line = lines.requireLine();
        const qsizetype tab = line.indexOf(u'\t');
        if (tab < 0)
            continue;
        const qsizetype secondTab = line.indexOf(u'\t', tab + 1);
        if (secondTab < 0)
            ++scan.singleTabLines;
        // Lines of more tabs that come before the second single-tab line replace it.
        if (scan.singleTabLines == 1) {
            scan.first = line.left(tab);
            scan.second = secondTab < 0 ? line.mid(tab + 1) : line.mid(tab + 1, secondTab - tab - 1);
        }
    } while (scan.singleTabLines < GlossaryLinesNeeded && !lines.atEnd());
    return scan;
}

}

bool GlossaryDocumentReader::next(DictionaryEntry &entry)
{
    if (!m_lines.readLine(m_line))
        return false;
    ++m_lineNumber;
    const qsizetype tab = m_line.indexOf(u'\t');
    if (tab < 0) {
        entry.source = m_line;
        entry.translation.clear();
    } else {
        const qsizetype secondTab = m_line.indexOf(u'\t', tab + 1);
        entry.source = m_line.left(tab);
        entry.translation = secondTab < 0 ? m_line.mid(tab + 1) : m_line.mid(tab + 1, secondTab - tab - 1);
    }
    entry.number = QString::number(m_lineNumber);
    entry.status = EntryStatus::fromTexts(entry.source, entry.translation);
    return true;
}

bool isJobPair(int fieldCount)
{
    return fieldCount < 3;
}

void GlossaryWriter::write(const DictionaryEntry &entry)
{
    writeField(m_lines, entry.source);
    m_lines.writeRaw(u"\t");
    writeField(m_lines, entry.translation);
    m_lines.writeLine(QStringView());
}

bool recogniseGlossary(const QString &path, QString *languagePair)
{
    const GlossaryScan scan = scanGlossaryLines(path);
    if (scan.singleTabLines == 0)
        return false;
    if (languagePair)
        recogniseLanguagePair(scan.first, scan.second, *languagePair);
    return true;
}
