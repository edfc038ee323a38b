#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QRadioButton;
class frmMain;

// The find dialog: searches one column of the grid downward from the row after the
// cursor, by the beginning or the whole of the cell text or by a regular expression.
// Shown without modality over the main window; stays open for repeated searches.
class frmFind : public QDialog {
    Q_OBJECT

public:
    explicit frmFind(frmMain &editor);

    void cmdNext_Click();

Q_SIGNALS:
    void helpRequested();

protected:
    void done(int result) override;

private:
    QLayout *createFields();
    QLayout *createOptions();
    QLayout *createButtons();
    // The first row from `first` on whose cell in the column passes the test; 0 when none does.
    int findRow(int first, int column, const std::function<bool(const QString &)> &matches) const;

    frmMain &m_editor;
    QComboBox *cboFind;
    QComboBox *cboField;
    QRadioButton *Option1;
    QRadioButton *Option2;
    QCheckBox *Check1;
    QCheckBox *Check2;
};
