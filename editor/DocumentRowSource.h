#pragma once

#include "DictionaryDocument.h"
#include "ImportJob.h"

#include <vector>

class GridModel;

// The open document's entries as the import reads them: in number order (equal numbers
// as they stand), taken without touching the grid, so that a failed import leaves the
// document exactly as it was.
class DocumentRowSource : public GridRowSource {
public:
    explicit DocumentRowSource(const DictionaryDocument &document);
    qsizetype rowCount() const override { return qsizetype(m_order.size()); }
    GridRow rowAt(qsizetype row) const override;

    // The import's result as the changes of the entries its rows were read from: status
    // and translation, the only fields an import changes. A result whose rows are not
    // those entries (another number or source) is refused with an error.
    std::vector<EntryState> changedStates(GridModel &model, const std::vector<GridRow> &result) const;

private:
    const DictionaryDocument &m_document;
    std::vector<quint32> m_order;
};
