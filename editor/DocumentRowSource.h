#pragma once

#include "DictionaryDocument.h"
#include "ImportJob.h"

#include <vector>

// The open document's entries as the import reads them: in the order of the flat list
// (by number, equal numbers as they stand), taken without touching the grid, so that a
// failed import leaves the document exactly as it was.
class DocumentRowSource : public GridRowSource {
public:
    explicit DocumentRowSource(const DictionaryDocument &document);
    qsizetype rowCount() const override { return qsizetype(m_order.size()); }
    GridRow rowAt(qsizetype row) const override;

private:
    const DictionaryDocument &m_document;
    std::vector<quint32> m_order;
};

// The import's result as the rows of the document.
std::vector<DocumentRow> documentRows(const std::vector<GridRow> &rows);
