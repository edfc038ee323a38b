#pragma once

#include "GridModel.h"

class DocumentEdits;

#include <QObject>

#include <array>
#include <functional>
#include <vector>

#include <QTreeView>

// The grid control: a tree view that repaints a change at once. QTreeView works out the
// place of every row of a changed range, one by one from the row it last looked at,
// which for a replacement in a million entries (or an undo far from the screen) takes
// longer than the change itself.
class GridView : public QTreeView {
public:
    using QTreeView::QTreeView;

protected:
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles) override;
};

// One flag per status text: set while the user has collapsed that status's group with
// the mouse or the keyboard, so that a new filter can collapse it again afterwards.
class CollapsedGroupFlags {
public:
    bool isSet(const QString &status) const;
    void set(const QString &status, bool collapsed);
    bool any() const;

private:
    std::array<bool, 4> m_flags{};
};

// The controller of the editor's grid `fg`: its columns, the flat and the grouped display
// and the filter, which cells may be edited, where the cursor may stand and the
// keyboard. It shows the document session's model, commits the grid's cell editor
// through the session's edits and receives the grid's events itself.
//
// Rows are grid rows as GridModel counts them (0 the heading, 1 the first row shown).
class cCtrlFlexGrid : public QObject {
    Q_OBJECT

public:
    cCtrlFlexGrid(GridModel &model, DocumentEdits &edits, QObject *parent = nullptr);

    void BindingToFlexGrid(QTreeView *grid);
    QTreeView *grid() const { return m_grid; }
    GridModel &model() { return m_model; }
    const GridModel &model() const { return m_model; }

    // 0 the flat list, 1 grouped by status.
    int DisplayMode() const { return static_cast<int>(m_model.mode()); }
    // With unBuffered the grid stays without painting for callers that resume it. Both,
    // and the filter, keep the cursor on its entry while the filter shows it.
    void DisplayAlphabetic(bool unBuffered = false);
    void DisplayCategorized(bool unBuffered = false);
    void setFilter(GridModel::Filter filter);
    CollapsedGroupFlags CollapsedGroups;
    // Shows a newly read document from the top, in the model's display mode.
    void showLoadedDocument();

    // The grid's row count, the heading row included.
    int rows() const { return m_model.gridRowCount() + 1; }
    // The cursor's row, 0 when there is none.
    int row() const;
    QString textMatrix(int row, int column) const { return m_model.cellText(row, column); }
    bool isGroupRow(int row) const { return m_model.isGroupRow(row); }
    bool isCollapsed(int row) const;
    void setCollapsed(int row, bool collapsed);
    // A row of a collapsed group is hidden: no cursor may stand on it.
    bool isRowHidden(int row) const;
    // Puts the cursor on the row's translation cell, opening its group when it is hidden.
    void setCursor(int row);
    // The same, and scrolls the row into view; nothing for row 0.
    void moveCursorTo(int row);
    // The nearest row shown above or below, 0 when there is none.
    int rowAbove(int row) const;
    int rowBelow(int row) const;
    // The same, passing over group headers.
    int entryRowAbove(int row) const;
    int entryRowBelow(int row) const;
    int topRow() const;
    void setTopRow(int row);
    bool isRowOnScreen(int row) const;
    // Makes the row that is one screen above this top row the top row (or the first).
    void scrollUpOneScreen(int topRow);
    // The first and the last entry row (no group header), 0 in an empty grid.
    int firstEntryRow() const;
    int lastEntryRow() const;
    // The nearest entry row below or above this one still "未译" or "复查"; 0 when there
    // is none.
    int nextUnfinishedRow(int row) const;
    int previousUnfinishedRow(int row) const;
    // The same for an entry with findings of the quality checks.
    int nextProblemRow(int row) const;
    int previousProblemRow(int row) const;
    // Selected rows in ascending order.
    std::vector<int> selectedRows() const;
    // The entries of the selected rows, in row order.
    std::vector<quint32> selectedEntries() const;
    void setRedraw(bool on);

Q_SIGNALS:
    // A translation was changed in the grid's own cell editor.
    void cellEdited(int row);
    // F2 or Enter on an entry: the translation is to be edited in the edit pane.
    void editRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class TranslationDelegate;

    void InitGrid();
    // The display the model has just laid out, the cursor on the entry given when it is
    // shown, else on the first entry.
    void showMode(std::optional<qsizetype> entry, bool keepCollapsedGroups);
    // The nearest entry row from this one on in the direction of the step whose entry
    // fits; 0 when there is none.
    int entryRowWhere(int row, int step, const std::function<bool(qsizetype)> &fits) const;
    void expandGroups();
    void collapseFlaggedGroups();
    void commitCellEdit(const QModelIndex &index, const QString &text);
    void keepCursorInTranslation(const QModelIndex &current);
    void toggleGroup(int row);
    void setGroupCollapsed(int row, bool collapsed);
    bool keyPressed(int key, Qt::KeyboardModifiers modifiers);
    bool doubleClicked(const QPoint &position);
    int jumpTarget(QChar letter) const;
    int firstMatch(QChar letter, int from, int to) const;

    GridModel &m_model;
    DocumentEdits &m_edits;
    QTreeView *m_grid = nullptr;
    // Kept apart: events still arrive while the grid is being destroyed.
    QWidget *m_viewport = nullptr;
};
