#include "OptionsFrame.h"

#include "AppFolder.h"
#include "ErrorReport.h"
#include "FileDialogs.h"
#include "MessageService.h"
#include "OptionSettings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>

namespace {

struct Caption {
    const char16_t *name;
    const char16_t *text;
};

// Left column: what applies to both dictionaries; right column: the rest.
const Caption LeftCheckBoxes[] = {
    {u"chkaAndX", u"[两者]处理带有&&X的原文或译文"},
    {u"chkaMTab", u"[两者]处理\\t分隔后有快捷键的字串"},
    {u"chkaBanMaoHao", u"[两者]处理末尾有半角:号"},
    {u"chkaBanSenHao", u"[两者]处理末尾有半角...号"},
    {u"chkaLTrimSpace", u"[两者]处理前置空格"},
    {u"chkaRTrimSpace", u"[两者]处理后置空格"},
    {u"chkaUpperCase", u"[两者]不区分大小写"},
};
const Caption RightCheckBoxes[] = {
    {u"chkrAndXEER", u"[参照]处理&&后有全角字符的译文"},
    {u"chkrQuanMaoHao", u"[参照]处理末尾有全角：号"},
    {u"chkrQuanSenHao", u"[参照]处理末尾有全角…号"},
    {u"chkNotAddANDX", u"[已译]生成译文全部不加(&&X)"},
    {u"chkaKeepTmpFile", u"[※※]保留临时文件"},
};

const QString AndX = QStringLiteral("chkaAndX");
const QString SaveRefDB = QStringLiteral("chkSaveRefDB");
const QString SaveRefDBPath = QStringLiteral("txtSaveRefDB");

constexpr int BracketBoxWidth = 130;
constexpr int LengthBoxWidth = 90;

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

OptionsFrame::OptionsFrame(const QString &formName, const QString &iniFileName, QWidget *parent)
    : QFrame(parent), m_formName(formName), m_iniFileName(iniFileName)
{
    setObjectName(QStringLiteral("fraOptAdv"));
    setFrameShape(QFrame::StyledPanel);
    // The frame lies over the progress panel and must hide it completely.
    setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(createCheckBoxes());
    layout->addLayout(createTextRows());
    layout->addStretch();
    layout->addLayout(createPresetButtons());
    connectEnablingRules();
}

QLayout *OptionsFrame::createCheckBoxes()
{
    auto *grid = new QGridLayout;
    const auto add = [&](const Caption &caption, int row, int column) {
        auto *box = new QCheckBox(QString::fromUtf16(caption.text), this);
        box->setObjectName(QString::fromUtf16(caption.name));
        m_checks.insert(box->objectName(), box);
        grid->addWidget(box, row, column);
    };
    for (int row = 0; row < int(std::size(LeftCheckBoxes)); ++row)
        add(LeftCheckBoxes[row], row, 0);
    for (int row = 0; row < int(std::size(RightCheckBoxes)); ++row)
        add(RightCheckBoxes[row], row, 1);
    return grid;
}

QLineEdit *OptionsFrame::createTextBox(const QString &name)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(name);
    m_texts.insert(name, box);
    return box;
}

QLayout *OptionsFrame::createTextRows()
{
    auto *grid = new QGridLayout;
    const auto addLabel = [&](const QString &name, const QString &text, QLineEdit *buddy, int row) {
        auto *label = new QLabel(text, this);
        label->setObjectName(name);
        // With a buddy the label shows "&&" as one "&".
        label->setBuddy(buddy);
        grid->addWidget(label, row, 0);
    };
    QLineEdit *length = createTextBox(QStringLiteral("txtLenLimit"));
    length->setFixedWidth(LengthBoxWidth);
    addLabel(QStringLiteral("lblLenLimit"), QStringLiteral("[两者]字串长度限制:"), length, 0);
    grid->addWidget(length, 0, 1);

    const auto addBracketRow = [&](const QString &prefix, const QString &text, int row) {
        QLineEdit *left = createTextBox(prefix + QStringLiteral("1"));
        QLineEdit *right = createTextBox(prefix + QStringLiteral("2"));
        left->setFixedWidth(BracketBoxWidth);
        right->setFixedWidth(BracketBoxWidth);
        addLabel(QStringLiteral("lbl") + prefix.mid(3), text, left, row);
        grid->addWidget(left, row, 1);
        grid->addWidget(right, row, 2);
    };
    addBracketRow(QStringLiteral("txtrAndXBK"), QStringLiteral("[参照]带有&&X译文的两边括号:"), 1);
    addBracketRow(QStringLiteral("txttAndXBK"), QStringLiteral("[已译]生成&&X译文的两边括号:"), 2);

    auto *saveDatabase = new QCheckBox(QStringLiteral("[※※]另存已净化的参照字典数据库:"), this);
    saveDatabase->setObjectName(SaveRefDB);
    m_checks.insert(SaveRefDB, saveDatabase);
    grid->addWidget(saveDatabase, 3, 0);
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(createTextBox(SaveRefDBPath), 1);
    auto *choose = new QPushButton(QStringLiteral("..."), this);
    choose->setObjectName(QStringLiteral("optXRefDB"));
    choose->setFixedWidth(choose->fontMetrics().horizontalAdvance(choose->text()) + 16);
    connect(choose, &QPushButton::clicked, this, &OptionsFrame::chooseDatabaseFile);
    pathRow->addWidget(choose);
    grid->addLayout(pathRow, 3, 1, 1, 2);
    grid->setColumnStretch(3, 1);
    return grid;
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

// The rules follow every state change, by the user or by loading, as a click would.
void OptionsFrame::connectEnablingRules()
{
    const auto enableWith = [this](const QString &checkBox, const QStringList &dependents) {
        connect(m_checks.value(checkBox), &QCheckBox::stateChanged, this, [this, dependents](int state) {
            for (const QString &name : dependents)
                findChild<QWidget *>(name)->setEnabled(state != Qt::Unchecked);
        });
    };
    enableWith(AndX, {QStringLiteral("txttAndXBK1"), QStringLiteral("txttAndXBK2"), QStringLiteral("txtrAndXBK1"),
                      QStringLiteral("txtrAndXBK2"), QStringLiteral("chkrAndXEER"), QStringLiteral("chkNotAddANDX")});
    enableWith(SaveRefDB, {SaveRefDBPath, QStringLiteral("optXRefDB")});
}

OptionControlState OptionsFrame::controlState() const
{
    OptionControlState state;
    for (auto it = m_checks.cbegin(); it != m_checks.cend(); ++it)
        state.setCheckState(it.key(), storedState(it.value()->checkState()));
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it)
        state.setText(it.key(), it.value()->text());
    return state;
}

void OptionsFrame::showControlState(const OptionControlState &state)
{
    for (auto it = m_checks.cbegin(); it != m_checks.cend(); ++it)
        it.value()->setCheckState(checkStateOf(state.checkState(it.key())));
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it)
        it.value()->setText(state.text(it.key()));
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
    applyPreset(ProcessingOptions::full());
}

void OptionsFrame::CfgLoadMinToCtrl()
{
    applyPreset(ProcessingOptions::minimal());
}

void OptionsFrame::applyPreset(const ProcessingOptions &preset)
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
    QLineEdit *path = m_texts.value(SaveRefDBPath);
    const FileDialogChoice choice = ShowSaveDialog(
        window(), {QStringLiteral("选择数据库的保存文件"), {QStringLiteral("数据库文件(*.db)|*.db")}, 1,
                   QStringLiteral("db")});
    if (choice.accepted)
        path->setText(withExtension(choice.fileName, QStringLiteral(".db")));
    path->setFocus();
}
