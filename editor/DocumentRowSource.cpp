#include "DocumentRowSource.h"

DocumentRowSource::DocumentRowSource(const DictionaryDocument &document)
    : m_document(document), m_order(document.orderByNumber())
{
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
