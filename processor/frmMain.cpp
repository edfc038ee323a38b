#include "frmMain.h"

#include "AppFolder.h"
#include "ComboHistory.h"
#include "FileDialogs.h"
#include "JobControls.h"
#include "MessageService.h"
#include "OptionsFrame.h"
#include "ShellActions.h"
#include "StatePanel.h"
#include "cInifile.h"
#include "formats/DictionaryFormats.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString IniFileName = QStringLiteral("Tallyra.ini");
const QStringList JobControlPrefixes{QStringLiteral("cbo"), QStringLiteral("chk"), QStringLiteral("txt"),
                                     QStringLiteral("cmd"), QStringLiteral("lal")};
constexpr int ComboContentsLength = 48;
constexpr int CreditsIconSize = 48;

QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

const QString ManualFileName = QStringLiteral("Tallyra.html");

// The program's name, purpose and manual under the stages. The project has no web or
// mail address of its own yet: the web link opens the manual, the mail link is left out.
QWidget *createCredits(QWidget *parent)
{
    auto *credits = new QWidget(parent);
    auto *row = new QHBoxLayout(credits);
    row->setContentsMargins(0, 0, 0, 0);
    QLabel *image = namedLabel(QStringLiteral("Image1"), QString(), credits);
    image->setPixmap(QPixmap(QStringLiteral(":/tallyra.png"))
                         .scaled(CreditsIconSize, CreditsIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    row->addWidget(image);
    auto *texts = new QVBoxLayout;
    QLabel *title = namedLabel(QStringLiteral("lblTitle"),
                               QStringLiteral("Tallyra v%1.%2").arg(PROJECT_VERSION_MAJOR).arg(PROJECT_VERSION_MINOR),
                               credits);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    texts->addWidget(title);
    texts->addWidget(namedLabel(QStringLiteral("lblAbout"), QStringLiteral("简体中文本地化字典的预翻译处理器"), credits));
    QLabel *web = namedLabel(QStringLiteral("LabelWeb"), ManualFileName, credits);
    web->setStyleSheet(QStringLiteral("color: #2e4a7d; text-decoration: underline;"));
    web->setCursor(Qt::PointingHandCursor);
    web->setToolTip(QStringLiteral("使用说明"));
    texts->addWidget(web);
    row->addLayout(texts);
    row->addStretch();
    return credits;
}

}

const QString frmMain::ProgramTitle = QStringLiteral("Tallyra");

frmMain::frmMain(QWidget *parent) : QWidget(parent), m_driver(formLocation(QStringLiteral("frmMain"), QStringLiteral("cmdStart_Click")))
{
    // The resources live in a static library, which the linker would otherwise leave out.
    Q_INIT_RESOURCE(tallyra);
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("%1 v%2.%3").arg(ProgramTitle).arg(PROJECT_VERSION_MAJOR).arg(PROJECT_VERSION_MINOR));
    setWindowIcon(QIcon(QStringLiteral(":/tallyra.png")));
    // The rows first: they create the options frame.
    const std::initializer_list<QLayout *> rows{createFileRows(), createPanels(), createButtons()};
    layOutJobWindow(*this, rows, JobControlPrefixes, fraOptAdv);
    loadSettings();
}

QLayout *frmMain::createFileRows()
{
    auto *grid = new QGridLayout;
    cboToDo = addFileRow(grid, 0, {QStringLiteral("lalUND"), QStringLiteral("未译字典:")}, QStringLiteral("cboToDo"),
                         namedButton(*this, QStringLiteral("cmdOpen0"), QStringLiteral("打开(&1)...")));
    cboRefer = addFileRow(grid, 1, {QStringLiteral("lalFRD"), QStringLiteral("参照字典:")}, QStringLiteral("cboRefer"),
                          namedButton(*this, QStringLiteral("cmdOpen1"), QStringLiteral("打开(&2)...")));
    cboFinal = addFileRow(grid, 2, {QStringLiteral("lalFinal"), QStringLiteral("已译字典:")}, QStringLiteral("cboFinal"),
                          namedButton(*this, QStringLiteral("cmdSave"), QStringLiteral("保存(&S)...")));
    lalFinal = findChild<QLabel *>(QStringLiteral("lalFinal"));
    lalFinal->setToolTip(QStringLiteral("双击浏览文件夹"));
    lalFinal->installEventFilter(this);

    LabelDoing = busyNote(*this, grid, 3, 3);

    connect(findChild<QPushButton *>(QStringLiteral("cmdOpen0")), &QPushButton::clicked, this, &frmMain::chooseTodo);
    connect(findChild<QPushButton *>(QStringLiteral("cmdOpen1")), &QPushButton::clicked, this, &frmMain::chooseReference);
    connect(findChild<QPushButton *>(QStringLiteral("cmdSave")), &QPushButton::clicked, this, &frmMain::chooseOutput);
    return grid;
}

QComboBox *frmMain::addFileRow(QGridLayout *grid, int row, const NamedCaption &label, const QString &combo,
                               QPushButton *button)
{
    auto *caption = new QLabel(label.caption, this);
    caption->setObjectName(label.name);
    QComboBox *box = fileComboBox(*this, combo, ComboContentsLength);
    caption->setBuddy(box);
    connect(box, &QComboBox::currentTextChanged, this, &frmMain::updateStartButton);
    grid->addWidget(caption, row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(button, row, 2);
    return box;
}

// The options frame lies over the progress panel; either is in front.
QLayout *frmMain::createPanels()
{
    auto *grid = new QGridLayout;
    picState = new StatePanel(processorStageCaptions(), this);
    picState->addFooter(createCredits(picState));
    LabelWeb = picState->findChild<QLabel *>(QStringLiteral("LabelWeb"));
    LabelWeb->installEventFilter(this);
    fraOptAdv = new OptionsFrame(QStringLiteral("frmMain"), IniFileName, this);
    grid->addWidget(picState, 0, 0);
    grid->addWidget(fraOptAdv, 0, 0);
    return grid;
}

QLayout *frmMain::createButtons()
{
    const JobButtonRow buttons = jobButtonRow(*this);
    chkAdvMode = new QCheckBox(QStringLiteral("选项 >>"), this);
    chkAdvMode->setObjectName(QStringLiteral("chkAdvMode"));
    connect(chkAdvMode, &QCheckBox::toggled, this, &frmMain::chkAdvMode_Click);
    buttons.row->insertWidget(0, chkAdvMode);
    cmdStart = buttons.start;
    connect(cmdStart, &QPushButton::clicked, this, &frmMain::cmdStart_Click);
    connect(buttons.close, &QPushButton::clicked, this, &frmMain::cmdClose_Click);
    return buttons.row;
}

// The full preset is the default that the program's INI file overrides.
void frmMain::loadSettings()
{
    fraOptAdv->show();
    chkAdvMode->setChecked(true);
    QCheckBox *saveDatabase = fraOptAdv->checkBox(QStringLiteral("chkSaveRefDB"));
    saveDatabase->setChecked(true);
    saveDatabase->setChecked(false);
    for (QComboBox *combo : {cboToDo, cboRefer, cboFinal})
        LoadComboHistory(combo, iniPath());
    fraOptAdv->CfgLoadMaxToCtrl();
    fraOptAdv->CfgLoadIniToCtrl();
    cmdStart->setEnabled(false);
}

void frmMain::SetJobControlsVisible(bool visible)
{
    for (QWidget *control : jobControls(*this, JobControlPrefixes))
        control->setVisible(visible);
    // The note lies behind the drop-downs: it is seen exactly while they are hidden.
    LabelDoing->setVisible(!visible);
    if (chkAdvMode->isChecked())
        fraOptAdv->setVisible(visible);
}

QString frmMain::iniPath() const
{
    return AppFolder::file(IniFileName);
}

void frmMain::cmdStart_Click()
{
    m_busy = true;
    {
        const BusyCursor cursor;
        SetJobControlsVisible(false);
        picState->resetStages();
        QCoreApplication::processEvents();
        const JobFiles files{cboToDo->currentText(), cboRefer->currentText(), cboFinal->currentText()};
        StatePanelObserver observer(*picState);
        const JobOutcome outcome = m_driver.run(files, fraOptAdv->CfgSaveCtrlToVar(), observer);
        picState->raise();
        // A job that could not even start leaves the histories as they were.
        if (outcome.kind != JobOutcome::Kind::NotStarted) {
            for (QComboBox *combo : {cboToDo, cboRefer, cboFinal})
                AddComboHistory(combo, combo->currentText());
        }
        SetJobControlsVisible(true);
        chkAdvMode->setChecked(false);
    }
    QCoreApplication::processEvents();
    m_busy = false;
}

void frmMain::updateStartButton()
{
    cmdStart->setEnabled(!cboToDo->currentText().isEmpty() && !cboRefer->currentText().isEmpty()
                         && !cboFinal->currentText().isEmpty());
}

void frmMain::chkAdvMode_Click(bool checked)
{
    fraOptAdv->setVisible(checked);
    if (checked)
        fraOptAdv->raise();
    focusNextChild();
}

void frmMain::cmdClose_Click()
{
    if (askUser(this, QStringLiteral("确实要关闭吗？"), MessageService::Buttons::OkCancel,
                MessageService::Icon::Question)
        == MessageService::Ok)
        close();
}

// Closing in the middle of a job would pull the window from under the running job.
// The note must not wait for its answer: the job lets events run while it waits for
// the database shell, and would wait with it.
void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_busy) {
        event->ignore();
        tellUser(this, QStringLiteral("正在忙碌地处理，处理结束后才能关闭窗口。"), MessageService::Icon::Information);
        return;
    }
    // One write of the whole file instead of one per value: the file may be large.
    IniWriteBatch settings(iniPath());
    for (QComboBox *combo : {cboToDo, cboRefer, cboFinal})
        SaveComboHistory(combo, iniPath());
    fraOptAdv->CfgSaveCtrlToIni();
    try {
        if (!settings.commit())
            Errors::raise(Errors::PathFileAccess, iniPath());
    } catch (const AppError &error) {
        showErrorBox(this, error.reportAt(formLocation(QStringLiteral("frmMain"), QStringLiteral("CfgSaveCtrlToIni"))));
    }
    event->accept();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lalFinal && event->type() == QEvent::MouseButtonDblClick) {
        OpenContainingFolder(cboFinal->currentText());
        return true;
    }
    if (watched == LabelWeb && event->type() == QEvent::MouseButtonRelease) {
        openManual(this, LabelWeb->text());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::chooseTodo()
{
    const FileDialogChoice choice = ShowOpenDialog(
        this, {.title = QStringLiteral("选择未译字典"), .filters = DictionaryFormats::todoFilters()});
    if (choice.accepted)
        AddComboHistory(cboToDo, choice.fileName);
}

void frmMain::chooseReference()
{
    const FileDialogChoice choice = ShowOpenDialog(
        this, {.title = QStringLiteral("选择参照字典"), .filters = DictionaryFormats::referenceFilters()});
    if (choice.accepted)
        AddComboHistory(cboRefer, choice.fileName);
}

// The output's format follows the to-do dictionary, whatever the extension says.
void frmMain::chooseOutput()
{
    const FileDialogChoice choice = ShowSaveDialog(
        this, {.title = QStringLiteral("选择已译字典的保存文件"),
               .filters = DictionaryFormats::resultFilters(),
               .filterIndex = 0});
    if (choice.accepted)
        AddComboHistory(cboFinal, DictionaryFormats::resultFileName(choice.fileName, choice.filterIndex));
}
