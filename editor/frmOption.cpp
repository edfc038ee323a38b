#include "frmOption.h"

#include "EditorSettings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

frmOption::frmOption(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("选项"));
    auto *general = new QGroupBox(QStringLiteral("常规"), this);
    chkDeleteLayout = new QCheckBox(QStringLiteral("清除还原界面布局的全部配置(仅下次生效)"), general);
    chkDeleteLayout->setObjectName(QStringLiteral("chkDeleteLayout"));
    chkNoSaveExtra = new QCheckBox(QStringLiteral("保存时只更新当前文件而不生成其他附加文件"), general);
    chkNoSaveExtra->setObjectName(QStringLiteral("chkNoSaveExtra"));
    chkNoSaveExtra->setChecked(EditorSettings::noSaveExtra());
    auto *boxes = new QVBoxLayout(general);
    boxes->addWidget(chkDeleteLayout);
    boxes->addWidget(chkNoSaveExtra);

    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    connect(ok, &QPushButton::clicked, this, &frmOption::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmOption::cmdOK_Click()
{
    EditorSettings::setResetLayoutOnExit(chkDeleteLayout->isChecked());
    EditorSettings::setNoSaveExtra(chkNoSaveExtra->isChecked());
    accept();
}
