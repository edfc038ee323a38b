#include "frmImport.h"

#include "ComboHistory.h"
#include "DocumentRowSource.h"
#include "EditorSettings.h"
#include "FileDialogs.h"
#include "GridJobScope.h"
#include "ImportJob.h"
#include "JobControls.h"
#include "MessageService.h"
#include "OptionsFrame.h"
#include "StatePanel.h"
#include "DocumentSession.h"
#include "cCtrlFlexGrid.h"
#include "formats/DictionaryFormats.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

const QString FormName = QStringLiteral("frmImport");
const QStringList JobControlPrefixes{QStringLiteral("cbo"), QStringLiteral("chk"), QStringLiteral("txt"),
                                     QStringLiteral("cmd"), QStringLiteral("lal")};
const QStringList StageCaptions{QStringLiteral("参照字典净化:"), QStringLiteral("表格条目分滤:"),
                                QStringLiteral("提交给数据库:"), QStringLiteral("组合生成译文:"),
                                QStringLiteral("就绪文本生成:")};
constexpr int ComboContentsLength = 48;


}

frmImport::frmImport(DocumentSession &session, cCtrlFlexGrid &grid, QWidget *parent)
    : QDialog(parent), m_session(session), m_grid(grid)
{
    setObjectName(FormName);
    setWindowTitle(QStringLiteral("导入"));
    // The rows first: they create the options frame.
    const std::initializer_list<QLayout *> rows{createReferenceRow(), createPanels(), createButtons()};
    layOutJobWindow(*this, rows, JobControlPrefixes, fraOptAdv);
    loadSettings();
}

QLayout *frmImport::createReferenceRow()
{
    auto *grid = new QGridLayout;
    auto *caption = new QLabel(QStringLiteral("参照字典:"), this);
    caption->setObjectName(QStringLiteral("lalFRD"));
    cboRefer = fileComboBox(*this, QStringLiteral("cboRefer"), ComboContentsLength);
    caption->setBuddy(cboRefer);
    QPushButton *open = namedButton(*this, QStringLiteral("cmdOpen"), QStringLiteral("打开(&O)..."));
    connect(open, &QPushButton::clicked, this, &frmImport::cmdOpen_Click);
    connect(cboRefer, &QComboBox::currentTextChanged, this,
            [this](const QString &text) { cmdStart->setEnabled(!text.isEmpty()); });
    grid->addWidget(caption, 0, 0);
    grid->addWidget(cboRefer, 0, 1);
    grid->addWidget(open, 0, 2);

    LabelDoing = busyNote(*this, grid, 1, 3);
    return grid;
}

// The options frame lies over the progress panel.
QLayout *frmImport::createPanels()
{
    auto *grid = new QGridLayout;
    picState = new StatePanel(StageCaptions, this);
    fraOptAdv = new OptionsFrame(FormName, QStringLiteral("Quillet.ini"), this);
    grid->addWidget(picState, 0, 0);
    grid->addWidget(fraOptAdv, 0, 0);
    return grid;
}

QLayout *frmImport::createButtons()
{
    const JobButtonRow buttons = jobButtonRow(*this, &frmImport::cmdStart_Click);
    cmdStart = buttons.start;
    cmdClose = buttons.close;
    return buttons.row;
}

// The full preset is the default that the editor's INI file overrides.
void frmImport::loadSettings()
{
    fraOptAdv->show();
    QCheckBox *saveDatabase = fraOptAdv->checkBox(QStringLiteral("chkSaveRefDB"));
    saveDatabase->setChecked(true);
    saveDatabase->setChecked(false);
    LoadComboHistory(cboRefer, EditorSettings::iniPath());
    fraOptAdv->CfgLoadMaxToCtrl();
    fraOptAdv->CfgLoadIniToCtrl();
    cmdStart->setEnabled(false);
}

// The reference is asked for as soon as the dialog first comes into view.
void frmImport::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    runOnFirstShow(m_referenceAsked, this, &frmImport::cmdOpen_Click);
}

void frmImport::cmdOpen_Click()
{
    const FileDialogChoice choice = ShowOpenDialog(
        this, {QStringLiteral("选择参照字典"), DictionaryFormats::referenceFilters(), 1, QString(),
               m_session.documentFolder()});
    if (choice.accepted)
        AddComboHistory(cboRefer, choice.fileName);
}

void frmImport::SetJobControlsVisible(bool visible)
{
    for (QWidget *control : jobControls(*this, JobControlPrefixes))
        control->setVisible(visible);
    fraOptAdv->setVisible(visible);
    LabelDoing->setVisible(!visible);
}

void frmImport::cmdStart_Click()
{
    m_busy = true;
    bool started = false;
    {
        const BusyCursor cursor;
        SetJobControlsVisible(false);
        picState->resetStages();
        QCoreApplication::processEvents();
        started = importReference(fraOptAdv->CfgSaveCtrlToVar());
        if (started)
            showFinished();
    }
    QCoreApplication::processEvents();
    m_busy = false;
    if (!started)
        close();
}

// The result's changes are one step of the history, made only from a complete result:
// after any failure the document stays as it was, in content, order and display. The
// display stays as the user chose it.
// The dialog's own errors end it; a stage's error ends only the job, whose stage
// results stay in view.
bool frmImport::importReference(const ProcessingOptions &options)
{
    GridJobScope scope(m_session, m_grid);
    StatePanelObserver observer(*picState);
    const QString location = formLocation(FormName, QStringLiteral("cmdStart_Click"));
    const DocumentRowSource rows(m_session.model().document());
    const ImportResult result = runImport(cboRefer->currentText(), options, rows, observer, location);
    if (!result.outcome.done())
        return result.outcome.kind != JobOutcome::Kind::NotStarted;
    try {
        m_session.applyImport(rows.changedStates(m_session.model(), result.rows));
    } catch (const AppError &error) {
        showErrorBox(this, error.reportAt(location));
        return false;
    }
    return true;
}

void frmImport::showFinished()
{
    picState->raise();
    AddComboHistory(cboRefer, cboRefer->currentText());
    LabelDoing->hide();
    showFinishButton(cmdClose);
}

// Closing in the middle of a job would pull the dialog from under the running job.
void frmImport::done(int result)
{
    if (m_busy)
        return;
    SaveComboHistory(cboRefer, EditorSettings::iniPath());
    fraOptAdv->CfgSaveCtrlToIni();
    QDialog::done(result);
}
