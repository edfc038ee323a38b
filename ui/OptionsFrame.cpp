#include "OptionsFrame.h"

#include "AppFolder.h"
#include "ErrorReport.h"
#include "FileDialogs.h"
#include "MessageService.h"
#include "OptionSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using Control = OptionDescriptor::Control;
using Area = OptionDescriptor::Area;

constexpr int BracketBoxWidth = 130;
constexpr int LengthBoxWidth = 90;

// The options of the area in the order the frame creates, and so tabs through, them: the
// check-box columns one after the other, the rows line by line.
std::vector<const OptionDescriptor *> inTabOrder(std::span<const OptionDescriptor> options, Area area)
{
    std::vector<const OptionDescriptor *> placed;
    for (const OptionDescriptor &option : options) {
        if (option.area == area)
            placed.push_back(&option);
    }
    const auto key = [area](const OptionDescriptor *option) {
        return area == Area::CheckBoxColumns ? std::pair(option->column, option->row)
                                             : std::pair(option->row, option->column);
    };
    std::stable_sort(placed.begin(), placed.end(),
                     [&key](const OptionDescriptor *a, const OptionDescriptor *b) { return key(a) < key(b); });
    return placed;
}

// The stored states are 0 unchecked, 1 checked, 2 grey; Qt numbers the last two the other way.
int storedState(Qt::CheckState state)
{
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
}

Qt::CheckState checkStateOf(int stored)
{
    return stored == 1 ? Qt::Checked : stored == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

// The path with the extension appended unless it already ends in it, in any case.
QString withExtension(const QString &path, const QString &extension)
{
    return path.endsWith(extension, Qt::CaseInsensitive) ? path : path + extension;
}

}

OptionsFrame::OptionsFrame(const QString &formName, const QString &iniFileName, QWidget *parent,
                           std::span<const OptionDescriptor> options)
    : QFrame(parent), m_formName(formName), m_iniFileName(iniFileName), m_options(options)
{
    setObjectName(QStringLiteral("fraOptAdv"));
    setFrameShape(QFrame::StyledPanel);
    // The frame lies over the progress panel and must hide it completely.
    setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(createCheckBoxes());
    layout->addLayout(createRows());
    layout->addStretch();
    layout->addLayout(createPresetButtons());
    connectEnablingRules();
}

QLayout *OptionsFrame::createCheckBoxes()
{
    auto *grid = new QGridLayout;
    for (const OptionDescriptor *option : inTabOrder(m_options, Area::CheckBoxColumns))
        grid->addWidget(createCheckBox(*option), option->row, option->column);
    return grid;
}

// Column 0 holds a row's check box or the caption of the boxes right of it.
QLayout *OptionsFrame::createRows()
{
    auto *grid = new QGridLayout;
    for (const OptionDescriptor *option : inTabOrder(m_options, Area::Rows)) {
        QWidget *control = nullptr;
        switch (option->control) {
        case Control::CheckBox:
            grid->addWidget(createCheckBox(*option), option->row, option->column);
            continue;
        case Control::DatabasePathBox:
            grid->addLayout(createDatabasePathRow(*option), option->row, option->column, 1, 2);
            continue;
        case Control::NumberBox:
        case Control::TextBox:
            control = createTextBox(*option);
            break;
        case Control::DropDown:
            control = createDropDown(*option);
            break;
        }
        grid->addWidget(control, option->row, option->column);
        if (!option->caption.isEmpty()) {
            auto *label = new QLabel(option->caption, this);
            label->setObjectName(QStringLiteral("lbl") + option->name.mid(3));
            // With a buddy the label shows "&&" as one "&".
            label->setBuddy(control);
            grid->addWidget(label, option->row, 0);
        }
    }
    grid->setColumnStretch(3, 1);
    return grid;
}

QCheckBox *OptionsFrame::createCheckBox(const OptionDescriptor &option)
{
    auto *box = new QCheckBox(option.caption, this);
    box->setObjectName(option.name);
    m_checks.insert(option.name, box);
    return box;
}

QLineEdit *OptionsFrame::createTextBox(const OptionDescriptor &option)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(option.name);
    if (option.control != Control::DatabasePathBox)
        box->setFixedWidth(option.control == Control::NumberBox ? LengthBoxWidth : BracketBoxWidth);
    m_texts.insert(option.name, box);
    return box;
}

QComboBox *OptionsFrame::createDropDown(const OptionDescriptor &option)
{
    auto *box = new QComboBox(this);
    box->setObjectName(option.name);
    box->setFixedWidth(LengthBoxWidth);
    box->addItems(option.choices);
    m_choices.insert(option.name, box);
    return box;
}

QLayout *OptionsFrame::createDatabasePathRow(const OptionDescriptor &option)
{
    auto *row = new QHBoxLayout;
    m_databasePath = createTextBox(option);
    row->addWidget(m_databasePath, 1);
    auto *choose = new QPushButton(QStringLiteral("..."), this);
    choose->setObjectName(QStringLiteral("optXRefDB"));
    choose->setFixedWidth(choose->fontMetrics().horizontalAdvance(choose->text()) + 16);
    connect(choose, &QPushButton::clicked, this, &OptionsFrame::chooseDatabaseFile);
    row->addWidget(choose);
    return row;
}

QLayout *OptionsFrame::createPresetButtons()
{
    auto *row = new QHBoxLayout;
    const QStringList captions{QStringLiteral("完全"), QStringLiteral("最简"), QStringLiteral("载入..."),
                               QStringLiteral("另存...")};
    const std::function<void()> actions[] = {[this] { CfgLoadMaxToCtrl(); }, [this] { CfgLoadMinToCtrl(); },
                                             [this] { loadPresetFile(); }, [this] { savePresetFile(); }};
    row->addStretch();
    for (int index = 0; index < captions.size(); ++index) {
        auto *button = new QPushButton(captions[index], this);
        button->setObjectName(QStringLiteral("cmdPreset%1").arg(index));
        button->setProperty("index", index);
        connect(button, &QPushButton::clicked, this, actions[index]);
        row->addWidget(button);
    }
    return row;
}

// The rules follow every state change, by the user or by loading, as a click would. The
// database path's button goes with its box.
void OptionsFrame::connectEnablingRules()
{
    for (const OptionDescriptor &option : m_options) {
        if (option.enabledBy.isEmpty())
            continue;
        QList<QWidget *> dependents{findChild<QWidget *>(option.name)};
        if (option.control == Control::DatabasePathBox)
            dependents << findChild<QWidget *>(QStringLiteral("optXRefDB"));
        connect(m_checks.value(option.enabledBy), &QCheckBox::stateChanged, this, [dependents](int state) {
            for (QWidget *dependent : dependents)
                dependent->setEnabled(state != Qt::Unchecked);
        });
    }
}

OptionControlState OptionsFrame::controlState() const
{
    OptionControlState state(m_options);
    for (auto it = m_checks.cbegin(); it != m_checks.cend(); ++it)
        state.setCheckState(it.key(), storedState(it.value()->checkState()));
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it)
        state.setText(it.key(), it.value()->text());
    for (auto it = m_choices.cbegin(); it != m_choices.cend(); ++it)
        state.setText(it.key(), it.value()->currentText());
    return state;
}

void OptionsFrame::showControlState(const OptionControlState &state)
{
    for (auto it = m_checks.cbegin(); it != m_checks.cend(); ++it)
        it.value()->setCheckState(checkStateOf(state.checkState(it.key())));
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it)
        it.value()->setText(state.text(it.key()));
    for (auto it = m_choices.cbegin(); it != m_choices.cend(); ++it)
        it.value()->setCurrentText(state.text(it.key()));
}

ProcessingOptions OptionsFrame::CfgSaveCtrlToVar()
{
    OptionControlState state = controlState();
    const ProcessingOptions options = state.toOptions();
    showControlState(state);
    return options;
}

void OptionsFrame::CfgSaveCtrlToIni(const QString &fileName)
{
    if (const std::optional<AppError> failure =
            changeControls([&](OptionControlState &state) { state.saveToIni(iniPath(fileName)); }))
        reportError(*failure, QStringLiteral("CfgSaveCtrlToIni"));
}

// A failure keeps what was loaded before it.
void OptionsFrame::CfgLoadIniToCtrl(const QString &fileName)
{
    if (const std::optional<AppError> failure =
            changeControls([&](OptionControlState &state) { state.loadFromIni(iniPath(fileName)); }))
        reportLoadError(*failure);
}

// The controls show what the change left of their values, also when it stopped on an error.
std::optional<AppError> OptionsFrame::changeControls(const std::function<void(OptionControlState &)> &change)
{
    OptionControlState state = controlState();
    std::optional<AppError> failure;
    try {
        change(state);
    } catch (const AppError &error) {
        failure = error;
    }
    showControlState(state);
    return failure;
}

// A window loads its settings while it is built, before it is on the screen. A box
// shown then would stand alone, titled like the window, and hold the window back
// until answered; so it waits for the window to be shown.
void OptionsFrame::reportLoadError(const AppError &error)
{
    QWidget *owner = window();
    if (owner->isVisible()) {
        reportError(error, QStringLiteral("CfgLoadIniToCtrl"));
        return;
    }
    const ErrorReport report = error.reportAt(formLocation(m_formName, QStringLiteral("CfgLoadIniToCtrl")));
    QTimer::singleShot(0, owner, [owner, report] { showErrorBox(owner, report); });
}

void OptionsFrame::CfgLoadMaxToCtrl()
{
    applyPreset(OptionPreset::Full);
}

void OptionsFrame::CfgLoadMinToCtrl()
{
    applyPreset(OptionPreset::Minimal);
}

void OptionsFrame::applyPreset(OptionPreset preset)
{
    changeControls([&](OptionControlState &state) { state.applyPreset(preset); });
}

QString OptionsFrame::iniPath(const QString &fileName) const
{
    return fileName.isEmpty() ? AppFolder::file(m_iniFileName) : fileName;
}

void OptionsFrame::reportError(const AppError &error, const QString &procedure)
{
    showErrorBox(window(), error.reportAt(formLocation(m_formName, procedure)));
}

void OptionsFrame::loadPresetFile()
{
    const FileDialogChoice choice = ShowOpenDialog(
        window(), {QStringLiteral("将配置文件的内容读取到控件"),
                   {QStringLiteral("配置文件(*.ini)|*.ini"), QStringLiteral("所有文件(*.*)|*.*")}, 1, QString()});
    if (choice.accepted)
        CfgLoadIniToCtrl(choice.fileName);
}

void OptionsFrame::savePresetFile()
{
    const FileDialogChoice choice = ShowSaveDialog(
        window(), {QStringLiteral("将控件的内容保存到配置文件"), {QStringLiteral("配置文件(*.ini)|*.ini")}, 1,
                   QStringLiteral("ini")});
    if (choice.accepted)
        CfgSaveCtrlToIni(withExtension(choice.fileName, QStringLiteral(".ini")));
}

void OptionsFrame::chooseDatabaseFile()
{
    QLineEdit *path = m_databasePath;
    const FileDialogChoice choice = ShowSaveDialog(
        window(), {QStringLiteral("选择数据库的保存文件"), {QStringLiteral("数据库文件(*.db)|*.db")}, 1,
                   QStringLiteral("db")});
    if (choice.accepted)
        path->setText(withExtension(choice.fileName, QStringLiteral(".db")));
    path->setFocus();
}
