#include "JobControls.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QWidget>

QList<QWidget *> jobControls(const QWidget &form, const QStringList &prefixes)
{
    QList<QWidget *> controls;
    for (QWidget *child : form.findChildren<QWidget *>()) {
        if (prefixes.contains(child->objectName().left(3).toLower()))
            controls.append(child);
    }
    return controls;
}

void keepPlaceWhenHidden(const QList<QWidget *> &controls)
{
    for (QWidget *control : controls) {
        QSizePolicy policy = control->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        control->setSizePolicy(policy);
    }
}

QPushButton *namedButton(QWidget &parent, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, &parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

JobButtonRow jobButtonRow(QWidget &parent)
{
    JobButtonRow buttons{new QHBoxLayout, namedButton(parent, QStringLiteral("cmdStart"), QStringLiteral("开始(&G)")),
                         namedButton(parent, QStringLiteral("cmdClose"), QStringLiteral("关闭(&C)"))};
    buttons.row->addStretch();
    buttons.row->addWidget(buttons.start);
    buttons.row->addWidget(buttons.close);
    buttons.row->addWidget(namedButton(parent, QStringLiteral("cmdHelp"), QStringLiteral("帮助(&H)")));
    return buttons;
}

BusyCursor::BusyCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    QApplication::restoreOverrideCursor();
}
