#include "LineScanner.h"

void LineScanner::start(Handler &handler)
{
    TextFileReader reader(m_fileName, m_encoding, m_lineEnd);
    m_reader = &reader;
    struct Release {
        LineScanner *scanner;
        ~Release() { scanner->m_reader = nullptr; }
    } release{this};

    handler.scanBegin(*this);
    while (reader.lines().readLine(m_record)) {
        m_split = false;
        handler.scanRecord(*this);
    }
    handler.scanEnd(*this);
}

void LineScanner::split() const
{
    if (m_split)
        return;
    m_fields.clear();
    if (!m_record.isEmpty()) {
        for (QStringView part : QStringView(m_record).tokenize(m_separator))
            m_fields.append(part);
    }
    m_split = true;
}

int LineScanner::fieldCount() const
{
    split();
    return static_cast<int>(m_fields.size());
}

int LineScanner::percentDone() const
{
    return m_reader ? m_reader->percentDone() : 0;
}

QStringView LineScanner::fieldView(int index) const
{
    if (index == 0)
        return m_record;
    split();
    return index <= m_fields.size() ? m_fields[index - 1] : QStringView();
}

QString LineScanner::field(int index) const
{
    return fieldView(index).toString();
}
