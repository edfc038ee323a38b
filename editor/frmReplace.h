#pragma once

#include "frmFind.h"

#include <QDialog>

#include <optional>

class DocumentEdits;
class QCheckBox;
class QComboBox;
class TranslationReplacer;

// The replace dialog: replaces a text, or a regular expression with its captures, in the
// translations of the entries shown: at the cursor, going on to the next match, or in all
// of them as one undoable step. Statuses stay as they are. Shown without modality over
// the main window.
class frmReplace : public QDialog {
    Q_OBJECT

public:
    frmReplace(cCtrlFlexGrid &grid, DocumentEdits &edits, QWidget *parent, FindNote note);

Q_SIGNALS:
    // Before a replacement, so that the edit pane commits what it holds; after one, so
    // that it shows the result.
    void aboutToReplace();
    void replaced();

protected:
    void done(int result) override;

private:
    QLayout *createFields();
    QLayout *createButtons();
    // The replacement the controls describe, put into the histories; nothing, after a
    // box, when it cannot be used.
    std::optional<TranslationReplacer> chosenReplacement();
    void findNext(const TranslationReplacer &replacer);

    void cmdFindNext_Click();
    void cmdReplace_Click();
    void cmdReplaceAll_Click();

    cCtrlFlexGrid &m_grid;
    DocumentEdits &m_edits;
    FindNote m_note;
    QComboBox *cboFind = nullptr;
    QComboBox *cboReplace = nullptr;
    QCheckBox *chkRegex = nullptr;
    QCheckBox *chkCase = nullptr;
};
