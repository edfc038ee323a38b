#pragma once

#include "EntryExport.h"

#include <QDialog>
#include <QHash>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
struct DictionaryFormat;
class QRadioButton;
class DocumentSession;
class cCtrlFlexGrid;

// The export dialog: writes the open document's entries chosen by status and by a
// length condition as two-line text or as a glossary. Serves one run; afterwards only
// its finish button remains.
class frmExport : public QDialog {
    Q_OBJECT

public:
    frmExport(DocumentSession &session, cCtrlFlexGrid &grid, QWidget *parent);

    // The settings in the section "ExportSetting" of "Quillet.ini".
    void CfgSaveCtrlToIni();
    void CfgLoadIniToCtrl();
    // Hides or shows every control whose name begins with cbo, chk, lal, cmd or fra,
    // revealing the busy note.
    void SetJobControlsVisible(bool visible);

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    QGroupBox *createFormatFrame();
    QGroupBox *createStatusFrame();
    QGroupBox *createLengthFrame();
    QGroupBox *createLanguageFrame();
    QLayout *createFileRow();
    QLayout *createButtons();
    QLineEdit *createTextBox(const QString &name, const QString &text, QWidget *parent);

    ExportControlState controlState() const;
    void showControlState(const ExportControlState &state);

    void cmdSave_Click();
    void cmdStart_Click();
    // How many entries were written.
    qint64 writeEntries(const ExportOptions &options);
    void showFinished(qint64 written);

    DocumentSession &m_session;
    cCtrlFlexGrid &m_grid;
    // One button per format the export writes.
    QHash<const DictionaryFormat *, QRadioButton *> m_formatButtons;
    QList<QCheckBox *> m_statusBoxes;
    QComboBox *cboCondition = nullptr;
    QLineEdit *txtLenLimit = nullptr;
    QLineEdit *txtPLOID1 = nullptr;
    QLineEdit *txtPLOID2 = nullptr;
    QComboBox *cboExFile = nullptr;
    QPushButton *cmdStart = nullptr;
    QPushButton *cmdClose = nullptr;
    QLabel *LabelDoing = nullptr;
    bool m_fileAsked = false;
    bool m_busy = false;
};
