#pragma once

#include "DictionaryDocument.h"

#include <QAbstractItemModel>
#include <QBrush>

#include <optional>
#include <vector>

class DocumentChecks;

// The grid's view of the document: either a flat list of entries, or the entries
// grouped by status under one header row per group, in either case only the entries
// the filter lets through. Grouped, the header rows are the top level and the entries
// their children; a child's internal id is its group + 1, so no node objects exist.
// Both displays map list positions to entries through one integer array.
//
// The rows are laid out only when the display is chosen (flat, grouped, filter) or the
// document is replaced: an entry whose status changes keeps its place until then, and
// is shown as moved (in italics). Group headers count their status at every moment.
//
// An entry with findings of the quality checks has its status cell tinted, their
// messages as its tool tip.
//
// "Grid rows" number the display as one list, the way the editor's commands count:
// row 0 is the heading, rows 1 to gridRowCount() the header and entry rows in display
// order, rows of collapsed groups included.
class GridModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Column { Outline, Status, Number, Source, Translation, ColumnCount };
    enum class Mode { Flat = 0, Grouped = 1 };
    // Which entries are shown: all, by status ("未译", "复查", or both of these), or
    // those with findings.
    enum class Filter { All, Untranslated, Review, Unfinished, Problems };

    explicit GridModel(QObject *parent = nullptr);

    const DictionaryDocument &document() const { return m_document; }
    Mode mode() const { return m_mode; }
    Filter filter() const { return m_filter; }
    // The findings the grid marks; none before this is set.
    void setChecks(const DocumentChecks *checks) { m_checks = checks; }
    bool hasFindings(qsizetype entry) const;

    // Replaces every entry in one reset; a flat list keeps the document's order.
    void replaceDocument(DictionaryDocument document);

    // The flat list sorted by number, and the grouped display; each lays the rows out anew.
    void showFlat();
    void showGrouped();
    void setFilter(Filter filter);

    int gridRowCount() const;
    int gridRow(const QModelIndex &index) const;
    QModelIndex gridIndex(int gridRow, int column = Translation) const;
    bool isGroupRow(int gridRow) const;
    std::optional<qsizetype> entryAt(int gridRow) const;
    // The grid row that shows the entry, 0 when the filter hides it.
    int gridRowOf(quint32 entry) const;
    // The entries shown, in display order.
    const std::vector<quint32> &shownEntries() const { return m_order; }
    // The cell's own text: a group header's status without its count.
    QString cellText(int gridRow, int column) const;

    // See DictionaryDocument::stateWith.
    std::optional<EntryState> stateWith(quint32 entry, const QString &status, QStringView translation)
    {
        return m_document.stateWith(entry, status, translation);
    }
    // Puts each state in and leaves the one it replaced in its place; the rows shown
    // and the headers' counts follow.
    void exchange(std::vector<EntryState> &states);

    int groupCount() const { return static_cast<int>(m_groups.size()); }
    // The group a grid row belongs to (grouped display only).
    int groupOf(int gridRow) const;
    int groupHeaderRow(int group) const { return 1 + group + m_groups[group].first; }
    int groupEntryCount(int group) const { return m_groups[group].count; }
    QModelIndex groupIndex(int group) const;
    const QString &groupLabel(int group) const;
    void setGroupBackground(const QBrush &brush) { m_groupBackground = brush; }

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct Group {
        quint32 label;
        // Position of the group's first entry in m_order.
        int first;
        int count;
    };

    std::optional<qsizetype> entryOf(const QModelIndex &index) const;
    // The display of the mode, with the entries in this order as far as the filter shows them.
    void layOut(std::vector<quint32> order);
    void buildGroups();
    // The grid row at a position of m_order.
    int gridRowAt(int position) const;
    void emitRowsChanged(const std::vector<EntryState> &states);
    void emitGroupCountsChanged();
    bool passesFilter(qsizetype entry) const;
    QVariant problemMark(qsizetype entry, int role) const;
    // An entry shown under a header, or through a filter, it no longer fits.
    bool isMovedEntry(const QModelIndex &index, qsizetype entry) const;

    DictionaryDocument m_document;
    Mode m_mode = Mode::Flat;
    Filter m_filter = Filter::All;
    std::vector<quint32> m_order;
    std::vector<Group> m_groups;
    // The position + 1 of each entry in m_order, 0 for one not shown; made when needed
    // a second time after each layout.
    mutable std::vector<quint32> m_positions;
    mutable bool m_lookedUp = false;
    QBrush m_groupBackground;
    const DocumentChecks *m_checks = nullptr;
};
