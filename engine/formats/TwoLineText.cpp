#include "TwoLineText.h"

#include "ErrorReport.h"
#include "NumberLine.h"
#include "TextFile.h"

namespace {
// How many entries a scan needs before it is sure.
constexpr int TextEntriesNeeded = 5;
}

bool TwoLineTextReader::next(DictionaryEntry &entry)
{
    while (m_lines.readLine(m_line)) {
        const std::optional<NumberLine> numberLine = NumberLine::parse(m_line);
        if (!numberLine)
            continue;
        copyInto(entry.number, numberLine->number);
        copyInto(entry.source, numberLine->source);
        if (!m_lines.readLine(entry.translation))
            Errors::raise(Errors::InputPastEnd);
        entry.status = EntryStatus::fromTexts(entry.source, entry.translation);
        return true;
    }
    return false;
}

void TwoLineTextWriter::write(const DictionaryEntry &entry)
{
    m_lines.writeLine(QStringView());
    m_lines.writeRaw(entry.number);
    m_lines.writeRaw(u":");
    m_lines.writeLine(entry.source);
    m_lines.writeLine(entry.translation);
}

bool recogniseTwoLineText(const QString &path)
{
    TextFileReader file(path);
    LineReader &lines = file.lines();
    int entries = 0;
    do {
        const QString line = lines.requireLine();
        if (NumberLine::parse(line) && !lines.requireLine().isEmpty())
            ++entries;
    } while (entries < TextEntriesNeeded && !lines.atEnd());
    return entries > 0;
}
