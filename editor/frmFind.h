#pragma once

#include "GridModel.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QRadioButton;
class cCtrlFlexGrid;

// One search of the find dialog, kept so that it can be repeated from the cursor.
struct GridSearch {
    QString text;
    int column = GridModel::Source;
    bool regularExpression = false;
    bool caseSensitive = false;
    bool wholeText = false;
};

// Searches downward from the row after the cursor and puts the cursor on the row found;
// a box tells when nothing was found or the expression is invalid.
void findNextRow(QWidget *messageParent, cCtrlFlexGrid &grid, const GridSearch &search);

// The find dialog: searches one column of the grid downward from the row after the
// cursor, by the beginning or the whole of the cell text or by a regular expression.
// Shown without modality over the main window; stays open for repeated searches.
class frmFind : public QDialog {
    Q_OBJECT

public:
    frmFind(cCtrlFlexGrid &grid, QWidget *parent);

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
    QRadioButton *Option1;
    QRadioButton *Option2;
    QCheckBox *Check1;
    QCheckBox *Check2;
};
