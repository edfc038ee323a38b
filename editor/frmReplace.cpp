#include "frmReplace.h"

#include "ComboHistory.h"
#include "DocumentEdits.h"
#include "EditorSettings.h"
#include "JobControls.h"
#include "MessageService.h"
#include "TranslationReplacer.h"
#include "cCtrlFlexGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace {
constexpr int TextContentsLength = 32;
}

frmReplace::frmReplace(cCtrlFlexGrid &grid, DocumentEdits &edits, QWidget *parent, FindNote note)
    : QDialog(parent), m_grid(grid), m_edits(edits), m_note(std::move(note))
{
    setObjectName(QStringLiteral("frmReplace"));
    setWindowTitle(QStringLiteral("替换"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *columns = new QHBoxLayout(this);
    columns->addLayout(createFields(), 1);
    columns->addLayout(createButtons());
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    LoadComboHistory(cboFind, EditorSettings::iniPath());
    LoadComboHistory(cboReplace, EditorSettings::iniPath());
}

QLayout *frmReplace::createFields()
{
    auto *grid = new QGridLayout;
    cboFind = fileComboBox(*this, QStringLiteral("cboFind"), TextContentsLength);
    cboReplace = fileComboBox(*this, QStringLiteral("cboReplace"), TextContentsLength);
    chkRegex = new QCheckBox(QStringLiteral("正则表达式(&R)，替换文字中以 \\1 \\2 … 引用括号内的部分"), this);
    chkRegex->setObjectName(QStringLiteral("chkRegex"));
    chkCase = new QCheckBox(QStringLiteral("区分大小写(&S)"), this);
    chkCase->setObjectName(QStringLiteral("chkCase"));
    addCaptionedRow(*grid, 0, QStringLiteral("译文中查找(&W):"), cboFind);
    addCaptionedRow(*grid, 1, QStringLiteral("替换为(&P):"), cboReplace);
    grid->addWidget(chkRegex, 2, 1);
    grid->addWidget(chkCase, 3, 1);
    grid->setRowStretch(4, 1);
    return grid;
}

QLayout *frmReplace::createButtons()
{
    auto *buttons = new QVBoxLayout;
    const auto add = [&](const QString &name, const QString &caption, auto click) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, click);
        buttons->addWidget(button);
        return button;
    };
    add(QStringLiteral("cmdFindNext"), QStringLiteral("查找下一个(&F)"), &frmReplace::cmdFindNext_Click)->setDefault(true);
    add(QStringLiteral("cmdReplace"), QStringLiteral("替换(&E)"), &frmReplace::cmdReplace_Click);
    add(QStringLiteral("cmdReplaceAll"), QStringLiteral("全部替换(&A)"), &frmReplace::cmdReplaceAll_Click);
    add(QStringLiteral("cmdClose"), QStringLiteral("关闭(&C)"), &frmReplace::close);
    buttons->addStretch();
    return buttons;
}

std::optional<TranslationReplacer> frmReplace::chosenReplacement()
{
    const QString find = cboFind->currentText();
    const QString replacement = cboReplace->currentText();
    AddComboHistory(cboFind, find);
    AddComboHistory(cboReplace, replacement);
    TranslationReplacer replacer(find, replacement, chkRegex->isChecked(), chkCase->isChecked());
    if (!replacer.isValid()) {
        askUser(this, QStringLiteral("查找失败"), MessageService::Buttons::Ok, MessageService::Icon::Critical);
        return std::nullopt;
    }
    return replacer;
}

void frmReplace::findNext(const TranslationReplacer &replacer)
{
    findNextRow(this, m_grid, GridModel::Translation, false,
                [&replacer](const QString &translation) { return replacer.matches(translation); }, m_note);
}

void frmReplace::cmdFindNext_Click()
{
    if (const std::optional<TranslationReplacer> replacer = chosenReplacement())
        findNext(*replacer);
}

// The entry at the cursor first, when it holds a match; then on to the next match.
void frmReplace::cmdReplace_Click()
{
    const std::optional<TranslationReplacer> replacer = chosenReplacement();
    if (!replacer)
        return;
    Q_EMIT aboutToReplace();
    if (const std::optional<qsizetype> entry = m_grid.model().entryAt(m_grid.row())) {
        if (m_edits.replaceTranslations(QStringLiteral("替换"), {static_cast<quint32>(*entry)}, *replacer) > 0)
            Q_EMIT replaced();
    }
    findNext(*replacer);
}

void frmReplace::cmdReplaceAll_Click()
{
    const std::optional<TranslationReplacer> replacer = chosenReplacement();
    if (!replacer)
        return;
    Q_EMIT aboutToReplace();
    const int count = m_edits.replaceTranslations(QStringLiteral("全部替换"), m_grid.model().shownEntries(), *replacer);
    if (count == 0) {
        askUser(this, QStringLiteral("找不到"), MessageService::Buttons::Ok, MessageService::Icon::Information);
        return;
    }
    Q_EMIT replaced();
    m_note(QStringLiteral("已替换 %1 条条目的译文").arg(QLocale(QLocale::English).toString(count)));
}

void frmReplace::done(int result)
{
    SaveComboHistory(cboFind, EditorSettings::iniPath());
    SaveComboHistory(cboReplace, EditorSettings::iniPath());
    QDialog::done(result);
}
