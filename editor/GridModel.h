#pragma once

#include "DictionaryDocument.h"

#include <QAbstractItemModel>
#include <QBrush>

#include <optional>
#include <vector>

// The grid's view of the document: either the flat list of entries, or the entries
// grouped by status under one header row per group. Grouped, the header rows are the
// top level and the entries their children; a child's internal id is its group + 1, so
// no node objects exist. Both displays map list positions to entries through integer
// arrays only.
//
// "Grid rows" number the display as one list, the way the editor's commands count:
// row 0 is the heading, rows 1 to gridRowCount() the header and entry rows in display
// order, rows of collapsed groups included.
class GridModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Column { Outline, Status, Number, Source, Translation, ColumnCount };
    enum class Mode { Flat = 0, Grouped = 1 };

    explicit GridModel(QObject *parent = nullptr);

    const DictionaryDocument &document() const { return m_document; }
    Mode mode() const { return m_mode; }

    // The entries in the order of the flat display, for jobs that take the whole document.
    std::vector<DocumentRow> rows() const;
    // Replaces every entry in one reset; the rows keep the given order.
    void replaceRows(const std::vector<DocumentRow> &rows);
    void replaceDocument(DictionaryDocument document);

    // The flat list sorted by number, and the grouped display.
    void showFlat();
    void showGrouped();

    int gridRowCount() const;
    int gridRow(const QModelIndex &index) const;
    QModelIndex gridIndex(int gridRow, int column = Translation) const;
    bool isGroupRow(int gridRow) const;
    std::optional<qsizetype> entryAt(int gridRow) const;
    // The cell's own text: a group header's status without its count.
    QString cellText(int gridRow, int column) const;
    // Header rows never change. The setters of several rows expect them in ascending
    // order and return how many changed.
    bool setTranslation(int gridRow, const QString &translation);
    bool setStatus(int gridRow, const QString &status);
    int setStatus(const std::vector<int> &gridRows, const QString &status);
    // Puts back the source as translation where the two differ.
    int restoreSources(const std::vector<int> &gridRows);

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
        // Position of the group's first entry in m_grouped.
        int first;
        int count;
    };

    std::optional<qsizetype> entryOf(const QModelIndex &index) const;
    void buildGroups();
    // One signal per group rather than per row keeps large selections cheap.
    void emitRowsChanged(const std::vector<int> &gridRows);
    void emitGroupCountsChanged();
    // An entry shown under a header of another status than its own.
    bool isMovedEntry(const QModelIndex &index, qsizetype entry) const;

    DictionaryDocument m_document;
    Mode m_mode = Mode::Flat;
    std::vector<quint32> m_grouped;
    std::vector<Group> m_groups;
    QBrush m_groupBackground;
};
