#include "frmExport.h"

#include "ComboHistory.h"
#include "DocumentSession.h"
#include "EditorSettings.h"
#include "FileDialogs.h"
#include "GridJobScope.h"
#include "JobControls.h"
#include "MessageService.h"
#include "YieldClock.h"
#include "cCtrlFlexGrid.h"
#include "formats/DictionaryFormats.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <optional>

namespace {

const QString FormName = QStringLiteral("frmExport");
const QString JobLocation = formLocation(FormName, QStringLiteral("cmdStart_Click"));
const QStringList JobControlPrefixes{QStringLiteral("cbo"), QStringLiteral("chk"), QStringLiteral("lal"),
                                     QStringLiteral("cmd"), QStringLiteral("fra")};
constexpr int ComboContentsLength = 40;

struct NamedCaption {
    const char16_t *name;
    const char16_t *caption;
};
const NamedCaption StatusBoxes[] = {
    {u"chkStaUN", u"未译"}, {u"chkStaED", u"已译"}, {u"chkStaNO", u"不译"}, {u"chkStaCK", u"复查"}};

// The stored states are 0 unchecked, 1 checked, 2 grey; Qt numbers the last two the other way.
int storedState(Qt::CheckState state)
{
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
}

Qt::CheckState checkStateOf(int stored)
{
    return stored == 1 ? Qt::Checked : stored == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

bool conditionTakesValue(int condition)
{
    return condition != ExportOptions::AnyLength && condition != ExportOptions::TranslationLongerThanSource;
}

QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QGroupBox *namedFrame(const QString &name, const QString &title, QWidget *parent)
{
    auto *frame = new QGroupBox(title, parent);
    frame->setObjectName(name);
    return frame;
}


}

frmExport::frmExport(DocumentSession &session, cCtrlFlexGrid &grid, QWidget *parent)
    : QDialog(parent), m_session(session), m_grid(grid)
{
    setObjectName(FormName);
    setWindowTitle(QStringLiteral("导出"));
    auto *frames = new QGridLayout;
    frames->addWidget(createFormatFrame(), 0, 0);
    frames->addWidget(createStatusFrame(), 0, 1);
    frames->addWidget(createLengthFrame(), 1, 0);
    frames->addWidget(createLanguageFrame(), 1, 1);
    LabelDoing = busyNote(*this, frames, 2, 2);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(frames);
    layout->addLayout(createFileRow());
    layout->addLayout(createButtons());
    keepPlaceWhenHidden(jobControls(*this, JobControlPrefixes));

    cboCondition->addItems(exportConditionTexts());
    cboCondition->setCurrentIndex(0);
    LoadComboHistory(cboExFile, EditorSettings::iniPath());
    CfgLoadIniToCtrl();
    cmdStart->setEnabled(false);
}

QGroupBox *frmExport::createFormatFrame()
{
    QGroupBox *frame = namedFrame(QStringLiteral("Frame1"), QStringLiteral("文件格式"), this);
    auto *layout = new QVBoxLayout(frame);
    for (const DictionaryFormat *format : DictionaryFormats::exportTargets()) {
        auto *button = new QRadioButton(format->exportTarget->caption, frame);
        button->setObjectName(format->exportTarget->buttonName);
        button->setChecked(format->exportTarget->chosenByDefault);
        layout->addWidget(button);
        m_formatButtons.insert(format, button);
    }
    return frame;
}

QGroupBox *frmExport::createStatusFrame()
{
    QGroupBox *frame = namedFrame(QStringLiteral("Frame4"), QStringLiteral("导出以下状态的条目"), this);
    auto *layout = new QGridLayout(frame);
    for (const NamedCaption &status : StatusBoxes) {
        auto *box = new QCheckBox(QString::fromUtf16(status.caption), frame);
        box->setObjectName(QString::fromUtf16(status.name));
        layout->addWidget(box, int(m_statusBoxes.size()) / 2, int(m_statusBoxes.size()) % 2);
        m_statusBoxes.append(box);
    }
    return frame;
}

QGroupBox *frmExport::createLengthFrame()
{
    QGroupBox *frame = namedFrame(QStringLiteral("Frame3"), QStringLiteral("字符串长度选项"), this);
    cboCondition = new QComboBox(frame);
    cboCondition->setObjectName(QStringLiteral("cboCondition"));
    txtLenLimit = createTextBox(QStringLiteral("txtLenLimit"), QStringLiteral("50"), frame);
    connect(cboCondition, &QComboBox::currentIndexChanged, this,
            [this](int condition) { txtLenLimit->setEnabled(conditionTakesValue(condition)); });
    auto *layout = new QGridLayout(frame);
    layout->addWidget(namedLabel(QStringLiteral("Label3"), QStringLiteral("条件:"), frame), 0, 0);
    layout->addWidget(cboCondition, 0, 1);
    layout->addWidget(namedLabel(QStringLiteral("Label4"), QStringLiteral("数值:"), frame), 1, 0);
    layout->addWidget(txtLenLimit, 1, 1);
    return frame;
}

QGroupBox *frmExport::createLanguageFrame()
{
    QGroupBox *frame = namedFrame(QStringLiteral("Frame2"), QStringLiteral("PASSOLO格式选项"), this);
    txtPLOID1 = createTextBox(QStringLiteral("txtPLOID1"), QStringLiteral("9 1"), frame);
    txtPLOID2 = createTextBox(QStringLiteral("txtPLOID2"), QStringLiteral("4 2"), frame);
    auto *layout = new QGridLayout(frame);
    layout->addWidget(namedLabel(QStringLiteral("Label1"), QStringLiteral("原文语言ID:"), frame), 0, 0);
    layout->addWidget(txtPLOID1, 0, 1);
    layout->addWidget(namedLabel(QStringLiteral("Label2"), QStringLiteral("译文语言ID:"), frame), 1, 0);
    layout->addWidget(txtPLOID2, 1, 1);
    return frame;
}

QLineEdit *frmExport::createTextBox(const QString &name, const QString &text, QWidget *parent)
{
    auto *box = new QLineEdit(text, parent);
    box->setObjectName(name);
    return box;
}

QLayout *frmExport::createFileRow()
{
    auto *row = new QHBoxLayout;
    QLabel *caption = namedLabel(QStringLiteral("lalFRD"), QStringLiteral("保存文件:"), this);
    cboExFile = fileComboBox(*this, QStringLiteral("cboExFile"), ComboContentsLength);
    caption->setBuddy(cboExFile);
    QPushButton *save = namedButton(*this, QStringLiteral("cmdSave"), QStringLiteral("保存(&S)..."));
    connect(save, &QPushButton::clicked, this, &frmExport::cmdSave_Click);
    connect(cboExFile, &QComboBox::currentTextChanged, this,
            [this](const QString &text) { cmdStart->setEnabled(!text.isEmpty()); });
    row->addWidget(caption);
    row->addWidget(cboExFile, 1);
    row->addWidget(save);
    return row;
}

QLayout *frmExport::createButtons()
{
    const JobButtonRow buttons = jobButtonRow(*this, &frmExport::cmdStart_Click);
    cmdStart = buttons.start;
    cmdClose = buttons.close;
    return buttons.row;
}

ExportControlState frmExport::controlState() const
{
    ExportControlState state;
    for (auto it = m_formatButtons.cbegin(); it != m_formatButtons.cend(); ++it) {
        if (it.value()->isChecked())
            state.format = it.key();
    }
    for (const QCheckBox *box : m_statusBoxes)
        state.statusStates[box->objectName()] = storedState(box->checkState());
    state.txtPLOID1 = txtPLOID1->text();
    state.txtPLOID2 = txtPLOID2->text();
    state.cboCondition = cboCondition->currentIndex();
    state.txtLenLimit = txtLenLimit->text();
    return state;
}

void frmExport::showControlState(const ExportControlState &state)
{
    m_formatButtons.value(state.format)->setChecked(true);
    for (QCheckBox *box : m_statusBoxes)
        box->setCheckState(checkStateOf(state.statusStates.value(box->objectName())));
    txtPLOID1->setText(state.txtPLOID1);
    txtPLOID2->setText(state.txtPLOID2);
    cboCondition->setCurrentIndex(state.cboCondition);
    txtLenLimit->setText(state.txtLenLimit);
}

void frmExport::CfgLoadIniToCtrl()
{
    ExportControlState state = controlState();
    try {
        state.loadFromIni(EditorSettings::iniPath());
    } catch (const AppError &error) {
        showErrorBox(this, error.reportAt(formLocation(FormName, QStringLiteral("CfgLoadIniToCtrl"))));
    }
    showControlState(state);
}

void frmExport::CfgSaveCtrlToIni()
{
    ExportControlState state = controlState();
    try {
        state.saveToIni(EditorSettings::iniPath());
    } catch (const AppError &error) {
        showErrorBox(this, error.reportAt(formLocation(FormName, QStringLiteral("CfgSaveCtrlToIni"))));
    }
    showControlState(state);
}

// The output file is asked for as soon as the dialog first comes into view.
void frmExport::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    runOnFirstShow(m_fileAsked, this, &frmExport::cmdSave_Click);
}

void frmExport::cmdSave_Click()
{
    const FileDialogChoice choice = ShowSaveDialog(
        this, {QStringLiteral("选择导出文件的保存位置"), DictionaryFormats::exportFilters(), 1, QString(),
               m_session.documentFolder()});
    if (choice.accepted)
        AddComboHistory(cboExFile, DictionaryFormats::exportFileName(choice.fileName, choice.filterIndex));
}

void frmExport::SetJobControlsVisible(bool visible)
{
    for (QWidget *control : jobControls(*this, JobControlPrefixes))
        control->setVisible(visible);
    LabelDoing->setVisible(!visible);
}

void frmExport::cmdStart_Click()
{
    ExportControlState state = controlState();
    const ExportOptions options = state.toOptions();
    if (!options.anyStatus()) {
        askUser(this, QStringLiteral("至少要选中一个“状态”复选框！"), MessageService::Buttons::Ok,
                MessageService::Icon::Exclamation);
        return;
    }
    txtLenLimit->setText(state.txtLenLimit);
    SetJobControlsVisible(false);
    m_busy = true;
    std::optional<ErrorReport> failure;
    qint64 written = 0;
    {
        const BusyCursor cursor;
        try {
            written = writeEntries(options);
        } catch (const AppError &error) {
            failure = error.reportAt(JobLocation);
        }
    }
    m_busy = false;
    if (failure) {
        showErrorBox(this, *failure);
        close();
        return;
    }
    showFinished(written);
}

// The entries in number order, whatever the grid shows, as dictionaries hold them. The
// file replaces an existing one only once it was written completely.
qint64 frmExport::writeEntries(const ExportOptions &options)
{
    GridJobScope scope(m_session, m_grid);
    EntryExportWriter writer(cboExFile->currentText(), options);
    const DictionaryDocument &document = m_session.model().document();
    YieldClock clock;
    for (const quint32 i : document.orderByNumber()) {
        clock.yieldIfDue();
        writer.offer(document.dictionaryEntry(i));
    }
    writer.commit();
    return writer.written();
}

void frmExport::showFinished(qint64 written)
{
    LabelDoing->setText(QStringLiteral("成功导出! 共 %1 条，写入:\n%2")
                            .arg(QLocale(QLocale::English).toString(written), cboExFile->currentText()));
    showFinishButton(cmdClose);
}

// Closing in the middle of a run would pull the dialog from under it.
void frmExport::done(int result)
{
    if (m_busy)
        return;
    SaveComboHistory(cboExFile, EditorSettings::iniPath());
    CfgSaveCtrlToIni();
    QDialog::done(result);
}
