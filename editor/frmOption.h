#pragma once

#include <QDialog>

class QCheckBox;

// The editor's two settings: reset the window layout at the next shut-down (for this
// run only) and save without companion files (kept in "Quillet.ini").
class frmOption : public QDialog {
    Q_OBJECT

public:
    explicit frmOption(QWidget *parent = nullptr);

private:
    void cmdOK_Click();

    QCheckBox *chkDeleteLayout;
    QCheckBox *chkNoSaveExtra;
};
