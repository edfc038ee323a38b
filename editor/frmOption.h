#pragma once

#include <QDialog>

class CheckSwitchesBox;
class QCheckBox;
class QSpinBox;

// The editor's settings: reset the window layout at the next shut-down (for this run
// only); save without companion files, how often unsaved changes go to the recovery
// file, and which quality checks run (kept in "Quillet.ini").
class frmOption : public QDialog {
    Q_OBJECT

public:
    explicit frmOption(QWidget *parent = nullptr);

private:
    void cmdOK_Click();

    QCheckBox *chkDeleteLayout;
    QCheckBox *chkNoSaveExtra;
    QSpinBox *spnRecoverySeconds;
    CheckSwitchesBox *fraChecks;
};
