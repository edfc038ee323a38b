#include "cCtrlFlexGrid.h"

#include "DocumentEdits.h"
#include "FormPosition.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

const QStringList FlagStatuses{EntryStatus::Untranslated, EntryStatus::Translated, EntryStatus::NotToTranslate,
                               EntryStatus::Review};

// Column widths of the grid in twips; the translation takes the rest.
constexpr int ColumnTwips[] = {230, 600, 1000, 4000};

// A shortcut of the window or a menu's access key (Alt+letter of the menu bar).
bool isWindowKey(const QWidget *window, const QKeySequence &keys)
{
    for (const QAction *action : window->findChildren<QAction *>()) {
        if (action->shortcuts().contains(keys))
            return true;
    }
    const QMenuBar *bar = window->findChild<QMenuBar *>();
    if (!bar)
        return false;
    const QList<QAction *> menus = bar->actions();
    return std::any_of(menus.begin(), menus.end(),
                       [&keys](const QAction *menu) { return QKeySequence::mnemonic(menu->text()) == keys; });
}

bool isLetterJump(const QWidget *window, int key, Qt::KeyboardModifiers modifiers)
{
    if (key < Qt::Key_A || key > Qt::Key_Z || !(modifiers & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    return !isWindowKey(window, QKeySequence(QKeyCombination(held, Qt::Key(key))));
}

QChar letterOf(int key)
{
    return QChar(u'A' + (key - Qt::Key_A));
}

}

// The current row may hold the cell editor, whose text must follow the change; any
// other change needs only a repaint of what is on the screen.
void GridView::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles)
{
    if (topLeft.row() == bottomRight.row() && topLeft.siblingAtColumn(0) == currentIndex().siblingAtColumn(0))
        QTreeView::dataChanged(topLeft, bottomRight, roles);
    else
        viewport()->update();
}

bool CollapsedGroupFlags::isSet(const QString &status) const
{
    const qsizetype slot = FlagStatuses.indexOf(status);
    return slot >= 0 && m_flags[static_cast<size_t>(slot)];
}

void CollapsedGroupFlags::set(const QString &status, bool collapsed)
{
    const qsizetype slot = FlagStatuses.indexOf(status);
    if (slot >= 0)
        m_flags[static_cast<size_t>(slot)] = collapsed;
}

bool CollapsedGroupFlags::any() const
{
    return std::any_of(m_flags.begin(), m_flags.end(), [](bool flag) { return flag; });
}

// The grid's cell editor hands its text to the controller, which applies the rules of
// an edited translation instead of storing the text as typed.
class TranslationDelegate : public QStyledItemDelegate {
public:
    explicit TranslationDelegate(cCtrlFlexGrid *controller) : QStyledItemDelegate(controller), m_controller(controller) {}

    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        if (auto *line = qobject_cast<QLineEdit *>(editor))
            m_controller->commitCellEdit(index, line->text());
    }

    // Tab commits and leaves the editor on the same row: it must not open the next row's
    // translation, where the next keystroke would replace it unseen.
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *editor = qobject_cast<QWidget *>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
                Q_EMIT commitData(editor);
                Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

    // A group row's caption with its count is wider than the status column: that cell
    // paints across the rest of the row, whose other cells paint nothing. (Spanning the
    // row in the view would cost a lookup per entry at every layout.)
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const GridModel &model = m_controller->model();
        if (!model.isGroupRow(model.gridRow(index))) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        if (index.column() > GridModel::Status)
            return;
        QStyleOptionViewItem across(option);
        if (index.column() == GridModel::Status)
            across.rect.setRight(m_controller->grid()->viewport()->width());
        QStyledItemDelegate::paint(painter, across, index);
    }

    // A little air above and below the Chinese glyphs, which fill their line.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, RowPadding);
    }

private:
    static constexpr int RowPadding = 4;

    cCtrlFlexGrid *m_controller;
};

cCtrlFlexGrid::cCtrlFlexGrid(GridModel &model, DocumentEdits &edits, QObject *parent)
    : QObject(parent), m_model(model), m_edits(edits)
{
}

void cCtrlFlexGrid::BindingToFlexGrid(QTreeView *grid)
{
    m_grid = grid;
    m_grid->setModel(&m_model);
    m_grid->setItemDelegate(new TranslationDelegate(this));
    m_viewport = m_grid->viewport();
    m_grid->installEventFilter(this);
    m_viewport->installEventFilter(this);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { keepCursorInTranslation(current); });
    InitGrid();
}

void cCtrlFlexGrid::InitGrid()
{
    m_grid->setFrameShape(QFrame::NoFrame);
    m_grid->setUniformRowHeights(true);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    // F2 and Enter go to the edit pane; typing starts the grid's own cell editor.
    m_grid->setEditTriggers(QAbstractItemView::AnyKeyPressed);
    m_grid->setExpandsOnDoubleClick(false);
    m_grid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_grid->setIndentation(ColumnTwips[0] / TwipsPerPixel);
    m_model.setGroupBackground(m_grid->palette().brush(QPalette::Midlight));
    QHeaderView *header = m_grid->header();
    header->setStretchLastSection(true);
    header->setSectionsMovable(false);
    for (int column = 0; column < GridModel::Translation; ++column)
        header->resizeSection(column, ColumnTwips[column] / TwipsPerPixel);
    DisplayAlphabetic(false);
}

void cCtrlFlexGrid::DisplayAlphabetic(bool unBuffered)
{
    const std::optional<qsizetype> entry = m_model.entryAt(row());
    setRedraw(false);
    m_model.showFlat();
    showMode(entry, false);
    if (!unBuffered)
        setRedraw(true);
}

void cCtrlFlexGrid::DisplayCategorized(bool unBuffered)
{
    const std::optional<qsizetype> entry = m_model.entryAt(row());
    setRedraw(false);
    m_model.showGrouped();
    showMode(entry, false);
    if (!unBuffered)
        setRedraw(true);
}

void cCtrlFlexGrid::setFilter(GridModel::Filter filter)
{
    const std::optional<qsizetype> entry = m_model.entryAt(row());
    setRedraw(false);
    m_model.setFilter(filter);
    showMode(entry, true);
    setRedraw(true);
}

void cCtrlFlexGrid::showLoadedDocument()
{
    setRedraw(false);
    showMode(std::nullopt, false);
    setRedraw(true);
}

// The outline column and the group buttons of the model's display mode, every group open
// or only those the user did not collapse.
void cCtrlFlexGrid::showMode(std::optional<qsizetype> entry, bool keepCollapsedGroups)
{
    const bool grouped = m_model.mode() == GridModel::Mode::Grouped;
    if (grouped)
        expandGroups();
    if (grouped && keepCollapsedGroups)
        collapseFlaggedGroups();
    m_grid->setColumnHidden(GridModel::Outline, !grouped);
    m_grid->setRootIsDecorated(grouped);
    m_grid->scrollToTop();
    const int kept = entry ? m_model.gridRowOf(static_cast<quint32>(*entry)) : 0;
    moveCursorTo(kept > 0 ? kept : firstEntryRow());
}

void cCtrlFlexGrid::collapseFlaggedGroups()
{
    if (!CollapsedGroups.any())
        return;
    for (int group = 0; group < m_model.groupCount(); ++group) {
        if (CollapsedGroups.isSet(m_model.groupLabel(group)))
            setCollapsed(m_model.groupHeaderRow(group), true);
    }
}

// Group by group: QTreeView::expandAll() would keep a persistent index of every entry.
void cCtrlFlexGrid::expandGroups()
{
    for (int group = 0; group < m_model.groupCount(); ++group)
        m_grid->expand(m_model.groupIndex(group));
}

int cCtrlFlexGrid::row() const
{
    return m_model.gridRow(m_grid->currentIndex());
}

bool cCtrlFlexGrid::isCollapsed(int row) const
{
    return isGroupRow(row) && !m_grid->isExpanded(m_model.gridIndex(row, GridModel::Outline));
}

void cCtrlFlexGrid::setCollapsed(int row, bool collapsed)
{
    if (isGroupRow(row))
        m_grid->setExpanded(m_model.gridIndex(row, GridModel::Outline), !collapsed);
}

bool cCtrlFlexGrid::isRowHidden(int row) const
{
    if (m_model.mode() != GridModel::Mode::Grouped || isGroupRow(row) || row < 1 || row >= rows())
        return false;
    return !m_grid->isExpanded(m_model.groupIndex(m_model.groupOf(row)));
}

void cCtrlFlexGrid::setCursor(int row)
{
    const QModelIndex index = m_model.gridIndex(row, GridModel::Translation);
    if (!index.isValid())
        return;
    if (isRowHidden(row))
        m_grid->expand(index.parent());
    m_grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int cCtrlFlexGrid::rowAbove(int row) const
{
    return m_model.gridRow(m_grid->indexAbove(m_model.gridIndex(row, GridModel::Translation)));
}

int cCtrlFlexGrid::rowBelow(int row) const
{
    return m_model.gridRow(m_grid->indexBelow(m_model.gridIndex(row, GridModel::Translation)));
}

int cCtrlFlexGrid::entryRowAbove(int row) const
{
    do
        row = rowAbove(row);
    while (isGroupRow(row));
    return row;
}

int cCtrlFlexGrid::entryRowBelow(int row) const
{
    do
        row = rowBelow(row);
    while (isGroupRow(row));
    return row;
}

int cCtrlFlexGrid::topRow() const
{
    return m_model.gridRow(m_grid->indexAt(QPoint(1, 1)));
}

void cCtrlFlexGrid::setTopRow(int row)
{
    const QModelIndex index = m_model.gridIndex(row, GridModel::Translation);
    if (index.isValid() && !isRowHidden(row))
        m_grid->scrollTo(index, QAbstractItemView::PositionAtTop);
}

bool cCtrlFlexGrid::isRowOnScreen(int row) const
{
    const QRect rect = m_grid->visualRect(m_model.gridIndex(row, GridModel::Translation));
    return rect.isValid() && m_grid->viewport()->rect().contains(rect);
}

void cCtrlFlexGrid::scrollUpOneScreen(int topRow)
{
    setTopRow(topRow);
    QScrollBar *bar = m_grid->verticalScrollBar();
    bar->setValue(std::max(0, bar->value() - bar->pageStep()));
}

int cCtrlFlexGrid::firstEntryRow() const
{
    if (rows() < 2)
        return 0;
    return isGroupRow(1) ? 2 : 1;
}

int cCtrlFlexGrid::lastEntryRow() const
{
    return rows() < 2 ? 0 : rows() - 1;
}

namespace {
bool isUnfinished(const DictionaryDocument &document, qsizetype entry)
{
    return document.status(entry) == EntryStatus::Untranslated || document.status(entry) == EntryStatus::Review;
}
}

int cCtrlFlexGrid::nextUnfinishedRow(int row) const
{
    return entryRowWhere(row, 1, [this](qsizetype entry) { return isUnfinished(m_model.document(), entry); });
}

int cCtrlFlexGrid::previousUnfinishedRow(int row) const
{
    return entryRowWhere(row, -1, [this](qsizetype entry) { return isUnfinished(m_model.document(), entry); });
}

int cCtrlFlexGrid::nextProblemRow(int row) const
{
    return entryRowWhere(row, 1, [this](qsizetype entry) { return m_model.hasFindings(entry); });
}

int cCtrlFlexGrid::previousProblemRow(int row) const
{
    return entryRowWhere(row, -1, [this](qsizetype entry) { return m_model.hasFindings(entry); });
}

int cCtrlFlexGrid::entryRowWhere(int row, int step, const std::function<bool(qsizetype)> &fits) const
{
    for (int candidate = row + step; candidate >= 1 && candidate < rows(); candidate += step) {
        const std::optional<qsizetype> entry = m_model.entryAt(candidate);
        if (entry && fits(*entry))
            return candidate;
    }
    return 0;
}

std::vector<int> cCtrlFlexGrid::selectedRows() const
{
    std::vector<int> rows;
    const QItemSelection selection = m_grid->selectionModel()->selection();
    for (const QItemSelectionRange &range : selection) {
        const int first = m_model.gridRow(m_model.index(range.top(), GridModel::Outline, range.parent()));
        for (int offset = 0; offset <= range.bottom() - range.top(); ++offset)
            rows.push_back(first + offset);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

std::vector<quint32> cCtrlFlexGrid::selectedEntries() const
{
    std::vector<quint32> entries;
    for (const int selected : selectedRows()) {
        if (const std::optional<qsizetype> entry = m_model.entryAt(selected))
            entries.push_back(static_cast<quint32>(*entry));
    }
    return entries;
}

void cCtrlFlexGrid::setRedraw(bool on)
{
    m_grid->setUpdatesEnabled(on);
}

void cCtrlFlexGrid::commitCellEdit(const QModelIndex &index, const QString &text)
{
    const int row = m_model.gridRow(index);
    const std::optional<qsizetype> entry = m_model.entryAt(row);
    if (!entry || text == m_model.cellText(row, GridModel::Translation))
        return;
    if (m_edits.commitTranslation(static_cast<quint32>(*entry), text))
        Q_EMIT cellEdited(row);
}

void cCtrlFlexGrid::keepCursorInTranslation(const QModelIndex &current)
{
    if (current.isValid() && current.column() != GridModel::Translation)
        m_grid->selectionModel()->setCurrentIndex(current.siblingAtColumn(GridModel::Translation),
                                                  QItemSelectionModel::NoUpdate);
}

void cCtrlFlexGrid::setGroupCollapsed(int row, bool collapsed)
{
    setCollapsed(row, collapsed);
    CollapsedGroups.set(m_model.groupLabel(m_model.groupOf(row)), collapsed);
}

void cCtrlFlexGrid::toggleGroup(int row)
{
    setGroupCollapsed(row, !isCollapsed(row));
}

bool cCtrlFlexGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        // A letter jump that finds a row wins over a menu's access key.
        if (isLetterJump(m_grid->window(), key->key(), key->modifiers()) && jumpTarget(letterOf(key->key())) > 0) {
            event->accept();
            return true;
        }
    }
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        return keyPressed(key->key(), key->modifiers());
    }
    if (watched == m_viewport && event->type() == QEvent::MouseButtonDblClick)
        return doubleClicked(static_cast<QMouseEvent *>(event)->position().toPoint());
    return QObject::eventFilter(watched, event);
}

bool cCtrlFlexGrid::keyPressed(int key, Qt::KeyboardModifiers modifiers)
{
    if ((key == Qt::Key_Home || key == Qt::Key_End) && (modifiers & Qt::ControlModifier)) {
        moveCursorTo(key == Qt::Key_Home ? firstEntryRow() : lastEntryRow());
        return true;
    }
    // The cursor keeps to the translation column, so these keys only open and close groups.
    const int current = row();
    switch (key) {
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_model.entryAt(current))
            Q_EMIT editRequested();
        return true;
    case Qt::Key_Left:
    case Qt::Key_Home:
        if (isGroupRow(current))
            setGroupCollapsed(current, true);
        return true;
    case Qt::Key_Right:
    case Qt::Key_End:
        if (isGroupRow(current))
            setGroupCollapsed(current, false);
        return true;
    default: break;
    }
    if (!isLetterJump(m_grid->window(), key, modifiers))
        return false;
    const int target = jumpTarget(letterOf(key));
    if (target == 0)
        return false;
    moveCursorTo(target);
    return true;
}

void cCtrlFlexGrid::moveCursorTo(int row)
{
    if (row <= 0)
        return;
    setCursor(row);
    m_grid->scrollTo(m_model.gridIndex(row, GridModel::Translation));
}

bool cCtrlFlexGrid::doubleClicked(const QPoint &position)
{
    const QModelIndex index = m_grid->indexAt(position);
    if (!index.isValid())
        return false;
    const int clicked = m_model.gridRow(index);
    if (isGroupRow(clicked)) {
        toggleGroup(clicked);
    } else {
        setCursor(clicked);
        m_grid->edit(m_model.gridIndex(clicked, GridModel::Translation));
    }
    return true;
}

// The next shown entry after the cursor whose source begins with the letter, wrapping
// around to the first row; 0 when there is none.
int cCtrlFlexGrid::jumpTarget(QChar letter) const
{
    const int current = row();
    const int below = firstMatch(letter, current + 1, rows() - 1);
    return below > 0 ? below : firstMatch(letter, 1, current - 1);
}

int cCtrlFlexGrid::firstMatch(QChar letter, int from, int to) const
{
    const DictionaryDocument &document = m_model.document();
    const int first = std::max(from, 1);
    for (int candidate = first; candidate <= to; ++candidate) {
        // Collapsed groups are passed over whole, judged at their header row.
        const bool header = isGroupRow(candidate);
        if ((header && isCollapsed(candidate)) || (candidate == first && isRowHidden(candidate))) {
            const int group = m_model.groupOf(candidate);
            candidate = m_model.groupHeaderRow(group) + m_model.groupEntryCount(group);
            continue;
        }
        const std::optional<qsizetype> entry = m_model.entryAt(candidate);
        if (!entry)
            continue;
        const QStringView source = document.source(*entry);
        if (!source.isEmpty() && source.front().toUpper() == letter)
            return candidate;
    }
    return 0;
}
