#include "DocumentRowSource.h"

#include "ErrorReport.h"
#include "GridModel.h"

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

std::vector<EntryState> DocumentRowSource::changedStates(GridModel &model, const std::vector<GridRow> &result) const
{
    if (result.size() != m_order.size())
        Errors::raiseText(QStringLiteral("导入结果的条目数与文档不符"));
    std::vector<EntryState> states;
    for (size_t row = 0; row < result.size(); ++row) {
        const quint32 entry = m_order[row];
        const GridRow &imported = result[row];
        if (imported.gn != m_document.number(entry) || imported.g1 != m_document.source(entry))
            Errors::raiseText(QStringLiteral("导入结果中的条目与文档不符: %1").arg(imported.gn));
        if (auto state = model.stateWith(entry, imported.gs, imported.g2))
            states.push_back(*state);
    }
    return states;
}
