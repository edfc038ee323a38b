#include "TwoLineText.h"

#include "ErrorReport.h"
#include "NumberLine.h"
#include "TextFile.h"

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
