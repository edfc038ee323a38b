#include "TableText.h"

#include "TextFile.h"

#include <array>

namespace {

// Four entry fields plus the outline column older files may carry.
constexpr int MaxFields = 5;

struct Record {
    std::array<QString, MaxFields> fields;
    int count = 0;
};

// Reads one field starting at i and returns the index just past it (at its comma or
// the end). Text after a closing quote is kept as it stands; an unclosed quote runs
// to the end of the line.
qsizetype readField(QStringView line, qsizetype i, QString &field)
{
    field.clear();
    if (i < line.size() && line[i] == u'"') {
        ++i;
        for (;;) {
            const qsizetype quote = line.indexOf(u'"', i);
            if (quote < 0) {
                field += line.sliced(i);
                return line.size();
            }
            field += line.sliced(i, quote - i);
            i = quote + 1;
            if (i >= line.size() || line[i] != u'"')
                break;
            field += u'"';
            ++i;
        }
    }
    qsizetype comma = line.indexOf(u',', i);
    if (comma < 0)
        comma = line.size();
    field += line.sliced(i, comma - i);
    return comma;
}

Record parseRecord(QStringView line)
{
    Record record;
    qsizetype i = 0;
    while (record.count < MaxFields) {
        i = readField(line, i, record.fields[record.count++]);
        if (i >= line.size())
            break;
        ++i;
    }
    return record;
}

bool needsQuotes(const QString &field)
{
    if (field.isEmpty())
        return false;
    return field.contains(u',') || field.contains(u'"') || field.front().isSpace() || field.back().isSpace();
}

}

bool TableTextReader::next(DictionaryEntry &entry)
{
    do {
        if (!m_lines.readLine(m_line))
            return false;
    } while (m_line.isEmpty());
    Record record = parseRecord(m_line);
    const bool outlineColumn = record.count == MaxFields && record.fields[0].isEmpty()
            && EntryStatus::isStatus(record.fields[1]);
    const int first = outlineColumn ? 1 : 0;
    entry.status = std::move(record.fields[first]);
    entry.number = std::move(record.fields[first + 1]);
    entry.source = std::move(record.fields[first + 2]);
    entry.translation = std::move(record.fields[first + 3]);
    return true;
}

void TableTextWriter::write(const DictionaryEntry &entry)
{
    writeField(entry.status);
    m_lines.writeRaw(u",");
    writeField(entry.number);
    m_lines.writeRaw(u",");
    writeField(entry.source);
    m_lines.writeRaw(u",");
    writeField(entry.translation);
    m_lines.writeLine(QStringView());
}

void TableTextWriter::writeField(const QString &field)
{
    if (!needsQuotes(field)) {
        m_lines.writeRaw(field);
        return;
    }
    QString quoted = field;
    quoted.replace(u'"', QStringLiteral("\"\""));
    m_lines.writeRaw(u"\"");
    m_lines.writeRaw(quoted);
    m_lines.writeRaw(u"\"");
}
