#include "CheckSwitchesBox.h"

#include "DocumentChecks.h"
#include "EditorSettings.h"
#include "checks/CheckSettings.h"

#include <QCheckBox>
#include <QGridLayout>

namespace {

constexpr int Columns = 3;

QString lengthCaption(const QString &name)
{
    const int limit = DocumentChecks::exportLengthLimit();
    if (limit == 0)
        return name + QStringLiteral("（导出未设译文长度上限）");
    return name + QStringLiteral("（上限 %1 字节，取自导出）").arg(limit);
}

}

CheckSwitchesBox::CheckSwitchesBox(QWidget *parent) : QGroupBox(QStringLiteral("质量检查"), parent)
{
    setObjectName(QStringLiteral("fraChecks"));
    Checker checker;
    CheckSettings::load(EditorSettings::iniPath(), checker);
    auto *layout = new QGridLayout(this);
    QCheckBox *length = nullptr;
    int placed = 0;
    for (const auto &rule : checker.rules()) {
        const bool isLength = rule->id() == u"length";
        auto *box = new QCheckBox(isLength ? lengthCaption(rule->name()) : rule->name(), this);
        box->setObjectName(QStringLiteral("chkCheck_") + rule->id());
        box->setToolTip(rule->message());
        box->setChecked(checker.isEnabled(rule->id()));
        m_boxes.emplace_back(rule->id(), box);
        if (isLength) {
            length = box;
        } else {
            layout->addWidget(box, placed / Columns, placed % Columns);
            ++placed;
        }
    }
    // The length check's caption is long: it takes a row of its own, last.
    layout->addWidget(length, layout->rowCount(), 0, 1, Columns);
}

void CheckSwitchesBox::save() const
{
    Checker checker;
    for (const auto &[id, box] : m_boxes)
        checker.setEnabled(id, box->isChecked());
    CheckSettings::save(EditorSettings::iniPath(), checker);
}
