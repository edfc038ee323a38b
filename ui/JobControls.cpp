#include "JobControls.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
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

void layOutJobWindow(QWidget &window, std::initializer_list<QLayout *> rows, const QStringList &prefixes,
                     QWidget *optionsFrame)
{
    auto *layout = new QVBoxLayout(&window);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (QLayout *row : rows)
        layout->addLayout(row);
    QList<QWidget *> keepPlace = jobControls(window, prefixes);
    keepPlace.append(optionsFrame);
    keepPlaceWhenHidden(keepPlace);
}

QComboBox *fileComboBox(QWidget &parent, const QString &name, int contentsLength)
{
    auto *box = new QComboBox(&parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(contentsLength);
    return box;
}

QLabel *busyNote(QWidget &parent, QGridLayout *grid, int rows, int columns)
{
    auto *note = new QLabel(QStringLiteral("正在忙碌地处理，敬请耐心地等待。"), &parent);
    note->setObjectName(QStringLiteral("LabelDoing"));
    note->setAlignment(Qt::AlignCenter);
    note->hide();
    grid->addWidget(note, 0, 0, rows, columns);
    note->lower();
    return note;
}

void showFinishButton(QPushButton *close)
{
    close->setText(QStringLiteral("完成(&F)"));
    close->show();
    close->setFocus();
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
