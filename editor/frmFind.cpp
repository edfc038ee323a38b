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

#include <utility>

namespace {

constexpr int SourceField = 2;
constexpr int FindBoxContentsLength = 32;

QPushButton *namedButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

// The first grid row from the one after the cursor (upwards: before it) round to the
// cursor's own whose cell passes the test, 0 when none does, and whether the search went
// past the end to get there. Group rows are searched like entry rows, as the grid shows
// them; rows of collapsed groups too.
std::pair<int, bool> firstMatch(const cCtrlFlexGrid &grid, int column, bool upwards, const CellTest &matches)
{
    const int last = grid.rows() - 1;
    const int current = grid.row() == 0 && upwards ? last + 1 : grid.row();
    for (int step = 1; step <= last; ++step) {
        const int row = upwards ? current - step : current + step;
        const bool wrapped = row < 1 || row > last;
        const int shown = !wrapped ? row : upwards ? row + last : row - last;
        if (matches(grid.textMatrix(shown, column)))
            return {shown, wrapped};
    }
    return {0, false};
}

}

std::optional<CellTest> cellTest(const GridSearch &search)
{
    const QString text = search.text;
    if (search.match == GridSearch::Match::Expression) {
        const QRegularExpression expression(text);
        if (!expression.isValid())
            return std::nullopt;
        return [expression](const QString &cell) { return expression.match(cell).hasMatch(); };
    }
    const Qt::CaseSensitivity sensitivity = search.caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (search.wholeText)
        return [text, sensitivity](const QString &cell) { return cell.compare(text, sensitivity) == 0; };
    if (search.match == GridSearch::Match::Contains)
        return [text, sensitivity](const QString &cell) { return cell.contains(text, sensitivity); };
    return [text, sensitivity](const QString &cell) { return cell.startsWith(text, sensitivity); };
}

bool findNextRow(QWidget *messageParent, cCtrlFlexGrid &grid, int column, bool upwards, const CellTest &matches,
                 const FindNote &note)
{
    const auto [found, wrapped] = firstMatch(grid, column, upwards, matches);
    if (found == 0) {
        askUser(messageParent, QStringLiteral("找不到"), MessageService::Buttons::Ok, MessageService::Icon::Information);
        return false;
    }
    if (wrapped && note)
        note(upwards ? QStringLiteral("已查到开头，从末尾继续查找") : QStringLiteral("已查到末尾，从开头继续查找"));
    grid.setCursor(found);
    grid.setTopRow(found);
    return true;
}

void findNextRow(QWidget *messageParent, cCtrlFlexGrid &grid, const GridSearch &search, const FindNote &note)
{
    const std::optional<CellTest> matches = cellTest(search);
    if (!matches) {
        askUser(messageParent, QStringLiteral("查找失败"), MessageService::Buttons::Ok, MessageService::Icon::Critical);
        return;
    }
    findNextRow(messageParent, grid, search.column, search.upwards, *matches, note);
}

void addCaptionedRow(QGridLayout &grid, int row, const QString &caption, QWidget *field)
{
    auto *label = new QLabel(caption, field->parentWidget());
    label->setBuddy(field);
    grid.addWidget(label, row, 0);
    grid.addWidget(field, row, 1);
}

frmFind::frmFind(cCtrlFlexGrid &grid, QWidget *parent, FindNote note)
    : QDialog(parent), m_grid(grid), m_note(std::move(note))
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
    addCaptionedRow(*grid, 0, QStringLiteral("查找内容(&W):"), cboFind);
    addCaptionedRow(*grid, 1, QStringLiteral("字段(&I):"), cboField);
    return grid;
}

// The case and whole-text options apply to the plain matches only.
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
    Option3 = new QRadioButton(QStringLiteral("包含(&O)"), this);
    Option3->setObjectName(QStringLiteral("Option3"));
    Check3 = new QCheckBox(QStringLiteral("向上查找(&U)"), this);
    Check3->setObjectName(QStringLiteral("Check3"));
    connect(Option2, &QRadioButton::toggled, this, [this](bool expression) {
        Check1->setEnabled(!expression);
        Check2->setEnabled(!expression);
    });
    grid->addWidget(Option1, 0, 0);
    grid->addWidget(Option3, 1, 0);
    grid->addWidget(Option2, 2, 0);
    grid->addWidget(Check1, 0, 1);
    grid->addWidget(Check2, 1, 1);
    grid->addWidget(Check3, 2, 1);
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
    const GridSearch::Match match = Option2->isChecked() ? GridSearch::Match::Expression
                                  : Option3->isChecked() ? GridSearch::Match::Contains
                                                         : GridSearch::Match::Prefix;
    const GridSearch search{cboFind->currentText(), cboField->currentIndex() + 1, match, Check1->isChecked(),
                            Check2->isChecked(), Check3->isChecked()};
    AddComboHistory(cboFind, search.text);
    Q_EMIT searched(search);
    findNextRow(this, m_grid, search, m_note);
}

void frmFind::done(int result)
{
    SaveComboHistory(cboFind, EditorSettings::iniPath());
    QDialog::done(result);
}
