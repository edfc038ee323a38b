#pragma once

#include "JobDriver.h"

#include <QList>
#include <QWidget>

class OptionsFrame;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLayout;
class QPushButton;
class StatePanel;

// Tallyra's window: the three files, the options frame, the progress panel and the
// job driver behind the Start button.
class frmMain : public QWidget {
    Q_OBJECT

public:
    static const QString ProgramTitle;

    explicit frmMain(QWidget *parent = nullptr);

    // Hides or shows every control whose name begins with cbo, chk, txt, cmd or lal,
    // revealing the busy note and the progress panel behind them.
    void SetJobControlsVisible(bool visible);

    OptionsFrame *options() const { return fraOptAdv; }
    const JobDriver &driver() const { return m_driver; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLayout *createFileRows();
    struct NamedCaption {
        QString name;
        QString caption;
    };
    QComboBox *addFileRow(QGridLayout *grid, int row, const NamedCaption &label, const QString &combo,
                          QPushButton *button);
    QLayout *createPanels();
    QLayout *createButtons();
    QString iniPath() const;
    void loadSettings();

    void cmdStart_Click();
    void cmdClose_Click();
    void chkAdvMode_Click(bool checked);
    void updateStartButton();
    void chooseTodo();
    void chooseReference();
    void chooseOutput();

    QComboBox *cboToDo = nullptr;
    QComboBox *cboRefer = nullptr;
    QComboBox *cboFinal = nullptr;
    QLabel *lalFinal = nullptr;
    QLabel *LabelDoing = nullptr;
    QLabel *LabelWeb = nullptr;
    QPushButton *cmdStart = nullptr;
    QCheckBox *chkAdvMode = nullptr;
    OptionsFrame *fraOptAdv = nullptr;
    StatePanel *picState = nullptr;
    JobDriver m_driver;
    bool m_busy = false;
};
