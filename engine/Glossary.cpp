#include "Glossary.h"

#include "TextFile.h"

namespace {

void writeField(LineWriter &lines, const QString &field)
{
    if (!field.contains(u'\t')) {
        lines.writeRaw(field);
        return;
    }
    QString escaped = field;
    lines.writeRaw(escaped.replace(u'\t', QStringLiteral("\\t")));
}

}

bool GlossaryReader::next(DictionaryEntry &entry)
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

void GlossaryWriter::write(const DictionaryEntry &entry)
{
    writeField(m_lines, entry.source);
    m_lines.writeRaw(u"\t");
    writeField(m_lines, entry.translation);
    m_lines.writeLine(QStringView());
}
