#include "frmOption.h"

#include "CheckSwitchesBox.h"
#include "EditorSettings.h"
#include "ErrorReport.h"
#include "MessageService.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
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
    spnRecoverySeconds = new QSpinBox(general);
    spnRecoverySeconds->setObjectName(QStringLiteral("spnRecoverySeconds"));
    spnRecoverySeconds->setRange(1, 3600);
    spnRecoverySeconds->setSuffix(QStringLiteral(" 秒"));
    spnRecoverySeconds->setValue(EditorSettings::recoverySeconds());
    auto *recovery = new QHBoxLayout;
    auto *recoveryCaption = new QLabel(QStringLiteral("未保存的修改写入恢复文件的间隔(&R):"), general);
    recoveryCaption->setBuddy(spnRecoverySeconds);
    recovery->addWidget(recoveryCaption);
    recovery->addWidget(spnRecoverySeconds);
    recovery->addStretch();
    auto *boxes = new QVBoxLayout(general);
    boxes->addWidget(chkDeleteLayout);
    boxes->addWidget(chkNoSaveExtra);
    boxes->addLayout(recovery);

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

    fraChecks = new CheckSwitchesBox(this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(fraChecks);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmOption::cmdOK_Click()
{
    EditorSettings::setResetLayoutOnExit(chkDeleteLayout->isChecked());
    EditorSettings::setNoSaveExtra(chkNoSaveExtra->isChecked());
    EditorSettings::setRecoverySeconds(spnRecoverySeconds->value());
    try {
        fraChecks->save();
    } catch (const AppError &error) {
        showErrorBox(this, error.reportAt(formLocation(objectName(), QStringLiteral("cmdOK_Click"))));
        return;
    }
    accept();
}
