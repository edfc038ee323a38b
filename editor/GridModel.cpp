#include "GridModel.h"

#include "DocumentChecks.h"

#include <QColor>
#include <QFont>
#include <QLocale>

#include <algorithm>
#include <numeric>

namespace {
// Internal id of top-level rows; a child's id is its group + 1.
constexpr quintptr TopLevel = 0;

// Light enough that black text and the selection's highlight stay readable: what is
// left to do warm, what is not to be done grey, the finished plain.
QVariant statusTint(const QString &status)
{
    static const QColor untranslated(0xFF, 0xF1, 0xD0);
    static const QColor review(0xFD, 0xE4, 0xDA);
    static const QColor notToTranslate(0xF0, 0xF0, 0xF0);
    if (status == EntryStatus::Untranslated)
        return untranslated;
    if (status == EntryStatus::Review)
        return review;
    if (status == EntryStatus::NotToTranslate)
        return notToTranslate;
    return QVariant();
}

// "未译 (1,234)"
QString groupCaption(const QString &label, int count)
{
    return label + QStringLiteral(" (") + QLocale(QLocale::English).toString(count) + u')';
}
}

GridModel::GridModel(QObject *parent) : QAbstractItemModel(parent) {}

bool GridModel::passesFilter(qsizetype entry) const
{
    const QString &status = m_document.status(entry);
    switch (m_filter) {
    case Filter::All: return true;
    case Filter::Untranslated: return status == EntryStatus::Untranslated;
    case Filter::Review: return status == EntryStatus::Review;
    case Filter::Unfinished: return status == EntryStatus::Untranslated || status == EntryStatus::Review;
    case Filter::Problems: return hasFindings(entry);
    }
    return true;
}

bool GridModel::hasFindings(qsizetype entry) const
{
    return m_checks && m_checks->hasFindings(entry);
}

void GridModel::replaceDocument(DictionaryDocument document)
{
    beginResetModel();
    m_document = std::move(document);
    if (m_mode == Mode::Grouped) {
        layOut(m_document.orderByStatusAndNumber());
    } else {
        std::vector<quint32> fileOrder(static_cast<size_t>(m_document.size()));
        std::iota(fileOrder.begin(), fileOrder.end(), 0u);
        layOut(std::move(fileOrder));
    }
    endResetModel();
}

void GridModel::showFlat()
{
    beginResetModel();
    m_mode = Mode::Flat;
    layOut(m_document.orderByNumber());
    endResetModel();
}

void GridModel::showGrouped()
{
    beginResetModel();
    m_mode = Mode::Grouped;
    layOut(m_document.orderByStatusAndNumber());
    endResetModel();
}

void GridModel::setFilter(Filter filter)
{
    m_filter = filter;
    if (m_mode == Mode::Grouped)
        showGrouped();
    else
        showFlat();
}

void GridModel::layOut(std::vector<quint32> order)
{
    if (m_filter == Filter::All) {
        m_order = std::move(order);
    } else {
        m_order.clear();
        for (const quint32 entry : order) {
            if (passesFilter(entry))
                m_order.push_back(entry);
        }
    }
    m_groups.clear();
    if (m_mode == Mode::Grouped)
        buildGroups();
    std::vector<quint32>().swap(m_positions);
    m_lookedUp = false;
}

void GridModel::buildGroups()
{
    for (int i = 0; i < static_cast<int>(m_order.size()); ++i) {
        const quint32 label = m_document.statusLabel(m_order[i]);
        if (m_groups.empty() || m_groups.back().label != label)
            m_groups.push_back(Group{label, i, 0});
        ++m_groups.back().count;
    }
}

int GridModel::gridRowCount() const
{
    return static_cast<int>(m_order.size()) + groupCount();
}

int GridModel::groupOf(int gridRow) const
{
    int low = 0;
    int high = groupCount() - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (groupHeaderRow(middle) <= gridRow)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

int GridModel::gridRowAt(int position) const
{
    if (m_mode == Mode::Flat)
        return position + 1;
    const auto after = std::upper_bound(m_groups.begin(), m_groups.end(), position,
                                        [](int value, const Group &group) { return value < group.first; });
    const int group = static_cast<int>(after - m_groups.begin()) - 1;
    return groupHeaderRow(group) + 1 + position - m_groups[group].first;
}

// The first lookup after a layout (the cursor's entry, kept across it) scans the array;
// only further lookups pay for the inverse array.
int GridModel::gridRowOf(quint32 entry) const
{
    if (m_positions.empty() && m_lookedUp) {
        m_positions.assign(static_cast<size_t>(m_document.size()), 0);
        for (size_t i = 0; i < m_order.size(); ++i)
            m_positions[m_order[i]] = static_cast<quint32>(i + 1);
    }
    m_lookedUp = true;
    if (m_positions.empty()) {
        const auto found = std::find(m_order.begin(), m_order.end(), entry);
        return found == m_order.end() ? 0 : gridRowAt(static_cast<int>(found - m_order.begin()));
    }
    if (entry >= m_positions.size() || m_positions[entry] == 0)
        return 0;
    return gridRowAt(static_cast<int>(m_positions[entry] - 1));
}

int GridModel::gridRow(const QModelIndex &index) const
{
    if (!index.isValid())
        return 0;
    if (m_mode == Mode::Flat)
        return index.row() + 1;
    if (index.internalId() == TopLevel)
        return groupHeaderRow(index.row());
    return groupHeaderRow(static_cast<int>(index.internalId() - 1)) + 1 + index.row();
}

QModelIndex GridModel::gridIndex(int gridRow, int column) const
{
    if (gridRow < 1 || gridRow > gridRowCount() || column < 0 || column >= ColumnCount)
        return QModelIndex();
    if (m_mode == Mode::Flat)
        return createIndex(gridRow - 1, column, TopLevel);
    const int group = groupOf(gridRow);
    const int header = groupHeaderRow(group);
    if (gridRow == header)
        return createIndex(group, column, TopLevel);
    return createIndex(gridRow - header - 1, column, static_cast<quintptr>(group) + 1);
}

bool GridModel::isGroupRow(int gridRow) const
{
    return m_mode == Mode::Grouped && gridRow >= 1 && gridRow <= gridRowCount()
        && groupHeaderRow(groupOf(gridRow)) == gridRow;
}

std::optional<qsizetype> GridModel::entryOf(const QModelIndex &index) const
{
    if (!index.isValid())
        return std::nullopt;
    if (m_mode == Mode::Flat)
        return m_order[static_cast<size_t>(index.row())];
    if (index.internalId() == TopLevel)
        return std::nullopt;
    const Group &group = m_groups[index.internalId() - 1];
    return m_order[static_cast<size_t>(group.first + index.row())];
}

std::optional<qsizetype> GridModel::entryAt(int gridRow) const
{
    return entryOf(gridIndex(gridRow, Outline));
}

QString GridModel::cellText(int gridRow, int column) const
{
    return data(gridIndex(gridRow, column), Qt::EditRole).toString();
}

void GridModel::exchange(std::vector<EntryState> &states)
{
    for (EntryState &state : states)
        m_document.exchange(state);
    emitRowsChanged(states);
    emitGroupCountsChanged();
}

// Few rows one by one; many in one signal per group rather than per row.
void GridModel::emitRowsChanged(const std::vector<EntryState> &states)
{
    constexpr size_t RowsOneByOne = 64;
    if (states.size() <= RowsOneByOne) {
        for (const EntryState &state : states) {
            const QModelIndex row = gridIndex(gridRowOf(state.entry), Outline);
            if (row.isValid())
                Q_EMIT dataChanged(row, row.siblingAtColumn(Translation));
        }
        return;
    }
    if (m_mode == Mode::Flat && !m_order.empty())
        Q_EMIT dataChanged(index(0, Outline), index(static_cast<int>(m_order.size()) - 1, Translation));
    for (int group = 0; group < groupCount(); ++group) {
        const QModelIndex header = groupIndex(group);
        Q_EMIT dataChanged(index(0, Outline, header), index(m_groups[group].count - 1, Translation, header));
    }
}

void GridModel::emitGroupCountsChanged()
{
    if (groupCount() > 0)
        Q_EMIT dataChanged(groupIndex(0).siblingAtColumn(Status), groupIndex(groupCount() - 1).siblingAtColumn(Status),
                           {Qt::DisplayRole});
}

bool GridModel::isMovedEntry(const QModelIndex &index, qsizetype entry) const
{
    if (m_mode == Mode::Grouped && m_document.statusLabel(entry) != m_groups[index.internalId() - 1].label)
        return true;
    return !passesFilter(entry);
}

// Only an entry known to have findings is checked again, for its tool tip. The tint is
// stronger than any status's, so that it shows on every row.
QVariant GridModel::problemMark(qsizetype entry, int role) const
{
    static const QColor problem(0xF4, 0x9A, 0x8E);
    if (!hasFindings(entry))
        return role == Qt::BackgroundRole ? statusTint(m_document.status(entry)) : QVariant();
    if (role == Qt::BackgroundRole)
        return problem;
    return DocumentChecks::messages(m_checks->findings(m_document, entry));
}

QModelIndex GridModel::groupIndex(int group) const
{
    if (group < 0 || group >= groupCount())
        return QModelIndex();
    return createIndex(group, Outline, TopLevel);
}

const QString &GridModel::groupLabel(int group) const
{
    return m_document.label(m_groups[group].label);
}

QModelIndex GridModel::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount || row >= rowCount(parent))
        return QModelIndex();
    if (!parent.isValid())
        return createIndex(row, column, TopLevel);
    return createIndex(row, column, static_cast<quintptr>(parent.row()) + 1);
}

QModelIndex GridModel::parent(const QModelIndex &child) const
{
    if (!child.isValid() || child.internalId() == TopLevel)
        return QModelIndex();
    return createIndex(static_cast<int>(child.internalId() - 1), Outline, TopLevel);
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return m_mode == Mode::Flat ? static_cast<int>(m_order.size()) : groupCount();
    if (m_mode == Mode::Grouped && parent.internalId() == TopLevel && parent.column() == Outline)
        return m_groups[parent.row()].count;
    return 0;
}

int GridModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const std::optional<qsizetype> entry = entryOf(index);
    if (!entry) {
        if (role == Qt::FontRole) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        if (role == Qt::BackgroundRole)
            return m_groupBackground;
        if (role == Qt::DisplayRole && index.column() == Status)
            return groupCaption(groupLabel(index.row()), static_cast<int>(m_document.statusCount(groupLabel(index.row()))));
        if (role == Qt::EditRole && index.column() == Status)
            return groupLabel(index.row());
        return (role == Qt::DisplayRole || role == Qt::EditRole) ? QVariant(QString()) : QVariant();
    }
    if ((role == Qt::BackgroundRole || role == Qt::ToolTipRole) && index.column() == Status)
        return problemMark(*entry, role);
    if (role == Qt::BackgroundRole)
        return statusTint(m_document.status(*entry));
    if (role == Qt::FontRole && isMovedEntry(index, *entry)) {
        QFont italic;
        italic.setItalic(true);
        return italic;
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    switch (index.column()) {
    case Outline: return m_document.outline(*entry);
    case Status: return m_document.status(*entry);
    case Number: return m_document.number(*entry).toString();
    case Source: return m_document.source(*entry).toString();
    case Translation: return m_document.translation(*entry).toString();
    }
    return QVariant();
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    static const QStringList headers{QString(), QStringLiteral("状态"), QStringLiteral("编号"),
                                     QStringLiteral("原文"), QStringLiteral("译文")};
    return headers.value(section);
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Translation && entryOf(index))
        flags |= Qt::ItemIsEditable;
    return flags;
}
