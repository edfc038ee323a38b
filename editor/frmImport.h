#pragma once

#include "ProcessingOptions.h"

#include <QDialog>

class OptionsFrame;
class QComboBox;
class QLabel;
class QLayout;
class QPushButton;
class StatePanel;
class DocumentSession;
class cCtrlFlexGrid;

// The import dialog: pre-translates the open document from a reference dictionary or
// a purified reference database. Matched untranslated entries come back for review
// ("复查") with the reference translation. Serves one job; afterwards only its finish
// button remains. The document is replaced only by a complete result.
class frmImport : public QDialog {
    Q_OBJECT

public:
    frmImport(DocumentSession &session, cCtrlFlexGrid &grid, QWidget *parent);

    OptionsFrame *options() const { return fraOptAdv; }
    // Hides or shows every control whose name begins with cbo, chk, txt, cmd or lal,
    // and the options frame, revealing the busy note and the progress panel.
    void SetJobControlsVisible(bool visible);

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    QLayout *createReferenceRow();
    QLayout *createPanels();
    QLayout *createButtons();
    void loadSettings();

    void cmdOpen_Click();
    void cmdStart_Click();
    // False when the dialog's own steps failed, which ends the dialog.
    bool importReference(const ProcessingOptions &options);
    void showFinished();

    DocumentSession &m_session;
    cCtrlFlexGrid &m_grid;
    QComboBox *cboRefer = nullptr;
    QPushButton *cmdStart = nullptr;
    QPushButton *cmdClose = nullptr;
    QLabel *LabelDoing = nullptr;
    OptionsFrame *fraOptAdv = nullptr;
    StatePanel *picState = nullptr;
    bool m_referenceAsked = false;
    bool m_busy = false;
};
