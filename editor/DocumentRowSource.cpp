#include "DocumentRowSource.h"

#include <algorithm>
#include <utility>

DocumentRowSource::DocumentRowSource(const DictionaryDocument &document) : m_document(document)
{
    // The same (number, position) order the flat display sorts the document into.
    std::vector<std::pair<double, quint32>> keys(static_cast<size_t>(document.size()));
    for (size_t i = 0; i < keys.size(); ++i)
        keys[i] = {document.numberKey(qsizetype(i)), static_cast<quint32>(i)};
    std::sort(keys.begin(), keys.end());
    m_order.reserve(keys.size());
    for (const auto &key : keys)
        m_order.push_back(key.second);
}

GridRow DocumentRowSource::rowAt(qsizetype row) const
{
    const qsizetype i = m_order[static_cast<size_t>(row)];
    return GridRow{m_document.outline(i), m_document.status(i), m_document.number(i).toString(),
                   m_document.source(i).toString(), m_document.translation(i).toString()};
}

std::vector<DocumentRow> documentRows(const std::vector<GridRow> &rows)
{
    std::vector<DocumentRow> converted;
    converted.reserve(rows.size());
    for (const GridRow &row : rows)
        converted.push_back(DocumentRow{row.g0, DictionaryEntry{row.gs, row.gn, row.g1, row.g2}});
    return converted;
}
