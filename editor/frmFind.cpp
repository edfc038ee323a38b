#include "frmFind.h"

#include "ComboHistory.h"
#include "EditorSettings.h"
#include "MessageService.h"
#include "cCtrlFlexGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QVBoxLayout>

#include <functional>
#include <optional>

namespace {

constexpr int SourceField = 2;
constexpr int FindBoxContentsLength = 32;

using CellTest = std::function<bool(const QString &)>;

// The first row from `first` on whose cell in the column passes the test; 0 when none
// does. Group rows are searched like entry rows, as the grid shows them; rows of
// collapsed groups too.
int findRow(const cCtrlFlexGrid &grid, int first, int column, const CellTest &matches)
{
    for (int row = first; row < grid.rows(); ++row) {
        if (matches(grid.textMatrix(row, column)))
            return row;
    }
    return 0;
}

std::optional<CellTest> cellTest(const GridSearch &search)
{
    const QString text = search.text;
    if (search.regularExpression) {
        const QRegularExpression expression(text);
        if (!expression.isValid())
            return std::nullopt;
        return [expression](const QString &cell) { return expression.match(cell).hasMatch(); };
    }
    const Qt::CaseSensitivity sensitivity = search.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (search.wholeText)
        return [text, sensitivity](const QString &cell) { return cell.compare(text, sensitivity) == 0; };
    return [text, sensitivity](const QString &cell) { return cell.startsWith(text, sensitivity); };
}

QPushButton *namedButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

}

void findNextRow(QWidget *messageParent, cCtrlFlexGrid &grid, const GridSearch &search)
{
    const int first = grid.row() + 1;
    if (first >= grid.rows())
        return;
    const std::optional<CellTest> matches = cellTest(search);
    if (!matches) {
        askUser(messageParent, QStringLiteral("查找失败"), MessageService::Buttons::Ok, MessageService::Icon::Critical);
        return;
    }
    const int found = findRow(grid, first, search.column, *matches);
    if (found == 0) {
        askUser(messageParent, QStringLiteral("找不到"), MessageService::Buttons::Ok, MessageService::Icon::Information);
        return;
    }
    grid.setCursor(found);
    grid.setTopRow(found);
}

frmFind::frmFind(cCtrlFlexGrid &grid, QWidget *parent) : QDialog(parent), m_grid(grid)
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("查找"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *columns = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    left->addLayout(createFields());
    left->addLayout(createOptions());
    left->addStretch();
    columns->addLayout(left, 1);
    columns->addLayout(createButtons());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    LoadComboHistory(cboFind, EditorSettings::iniPath());
    cboField->setCurrentIndex(SourceField);
}

QLayout *frmFind::createFields()
{
    auto *grid = new QGridLayout;
    cboFind = new QComboBox(this);
    cboFind->setObjectName(QStringLiteral("cboFind"));
    cboFind->setEditable(true);
    cboFind->setInsertPolicy(QComboBox::NoInsert);
    cboFind->setMinimumContentsLength(FindBoxContentsLength);
    cboField = new QComboBox(this);
    cboField->setObjectName(QStringLiteral("cboField"));
    cboField->addItems({QStringLiteral("状态"), QStringLiteral("编号"), QStringLiteral("原文"), QStringLiteral("译文")});
    const auto addRow = [&](const QString &caption, QComboBox *box, int row) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
    };
    addRow(QStringLiteral("查找内容(&W):"), cboFind, 0);
    addRow(QStringLiteral("字段(&I):"), cboField, 1);
    return grid;
}

// The case and whole-text options apply to the plain match only.
QLayout *frmFind::createOptions()
{
    auto *grid = new QGridLayout;
    Option1 = new QRadioButton(QStringLiteral("仅匹配前段(&Q)"), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral("正则表达式(&R)"), this);
    Option2->setObjectName(QStringLiteral("Option2"));
    Check1 = new QCheckBox(QStringLiteral("区分大小写(&S)"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check2 = new QCheckBox(QStringLiteral("全字串匹配(&M)"), this);
    Check2->setObjectName(QStringLiteral("Check2"));
    connect(Option1, &QRadioButton::toggled, this, [this](bool plain) {
        Check1->setEnabled(plain);
        Check2->setEnabled(plain);
    });
    grid->addWidget(Option1, 0, 0);
    grid->addWidget(Option2, 1, 0);
    grid->addWidget(Check1, 0, 1);
    grid->addWidget(Check2, 1, 1);
    return grid;
}

QLayout *frmFind::createButtons()
{
    auto *buttons = new QVBoxLayout;
    QPushButton *next = namedButton(QStringLiteral("cmdNext"), QStringLiteral("查找(&N)"), this);
    next->setDefault(true);
    QPushButton *cancel = namedButton(QStringLiteral("Command2"), QStringLiteral("取消(&C)"), this);
    QPushButton *help = namedButton(QStringLiteral("Command1"), QStringLiteral("帮助(&H)"), this);
    connect(next, &QPushButton::clicked, this, &frmFind::cmdNext_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    connect(help, &QPushButton::clicked, this, &frmFind::helpRequested);
    // The main window's F3 does not reach this separate window; here it presses 查找.
    connect(new QShortcut(QKeySequence(Qt::Key_F3), this), &QShortcut::activated, this, &frmFind::cmdNext_Click);
    for (QPushButton *button : {next, cancel, help})
        buttons->addWidget(button);
    buttons->addStretch();
    return buttons;
}

void frmFind::cmdNext_Click()
{
    const GridSearch search{cboFind->currentText(), cboField->currentIndex() + 1, Option2->isChecked(),
                            Check1->isChecked(), Check2->isChecked()};
    AddComboHistory(cboFind, search.text);
    Q_EMIT searched(search);
    findNextRow(this, m_grid, search);
}

void frmFind::done(int result)
{
    SaveComboHistory(cboFind, EditorSettings::iniPath());
    QDialog::done(result);
}
