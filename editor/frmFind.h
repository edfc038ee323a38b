#pragma once

#include "GridModel.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QGridLayout;
class QComboBox;
class QRadioButton;
class cCtrlFlexGrid;

// One search of the find dialog, kept so that it can be repeated from the cursor. The
// case and whole-text options apply to the plain matches only.
struct GridSearch {
    enum class Match { Prefix, Contains, Expression };

    QString text;
    int column = GridModel::Source;
    Match match = Match::Prefix;
    bool caseSensitive = false;
    bool wholeText = false;
    bool upwards = false;
};

// What a search looks for in a cell's text.
using CellTest = std::function<bool(const QString &)>;
// Tells the user something in passing (the window's status bar).
using FindNote = std::function<void(const QString &)>;

// The search's test; nothing for an invalid expression.
std::optional<CellTest> cellTest(const GridSearch &search);
// Puts the cursor on the next row (upwards, the previous one) whose cell in the column
// passes the test, going on from the other end after the last row with a note; a box
// tells when no row passes. False then.
bool findNextRow(QWidget *messageParent, cCtrlFlexGrid &grid, int column, bool upwards, const CellTest &matches,
                 const FindNote &note);
// The same for a search of the dialog; a box tells when the expression is invalid.
void findNextRow(QWidget *messageParent, cCtrlFlexGrid &grid, const GridSearch &search, const FindNote &note);

// A row of a dialog's grid: the caption, whose access key goes to the field, and the field.
void addCaptionedRow(QGridLayout &grid, int row, const QString &caption, QWidget *field);

// The find dialog: searches one column of the grid from the cursor, downward or upward,
// by the beginning of the cell text, by a text it contains, or by a regular expression.
// Shown without modality over the main window; stays open for repeated searches.
class frmFind : public QDialog {
    Q_OBJECT

public:
    frmFind(cCtrlFlexGrid &grid, QWidget *parent, FindNote note = {});

    void cmdNext_Click();

Q_SIGNALS:
    void helpRequested();
    void searched(const GridSearch &search);

protected:
    void done(int result) override;

private:
    QLayout *createFields();
    QLayout *createOptions();
    QLayout *createButtons();

    cCtrlFlexGrid &m_grid;
    QComboBox *cboFind;
    QComboBox *cboField;
    FindNote m_note;
    QRadioButton *Option1;
    QRadioButton *Option2;
    QRadioButton *Option3;
    QCheckBox *Check1;
    QCheckBox *Check2;
    QCheckBox *Check3;
};
