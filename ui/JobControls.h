#pragma once

#include <QList>
#include <QMetaObject>
#include <QPushButton>
#include <QStringList>

#include <initializer_list>

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLayout;
class QString;
class QWidget;

// The controls a job dialog hides while it works: those whose object name begins with
// one of the prefixes ("cbo", "cmd", ...), compared lower-case.
QList<QWidget *> jobControls(const QWidget &form, const QStringList &prefixes);

// Hidden controls keep their place, so that a dialog keeps its size while a job runs.
void keepPlaceWhenHidden(const QList<QWidget *> &controls);

// The rows of a job window with the progress panel under its options frame, top to
// bottom, at a fixed size; the job controls and the options frame keep their place
// when hidden.
void layOutJobWindow(QWidget &window, std::initializer_list<QLayout *> rows, const QStringList &prefixes,
                     QWidget *optionsFrame);

// Queues the dialog's action the first time it comes into view; showing it again (after
// minimising, say) does not repeat it.
template <class Dialog>
void runOnFirstShow(bool &done, Dialog *dialog, void (Dialog::*action)())
{
    if (done)
        return;
    done = true;
    QMetaObject::invokeMethod(dialog, action, Qt::QueuedConnection);
}

// An editable file drop-down of a job window, wide enough for the given number of
// characters; typing adds no entry.
QComboBox *fileComboBox(QWidget &parent, const QString &name, int contentsLength);

// The busy note, hidden, behind the given cells of the grid: it is seen exactly while
// the controls there are hidden.
QLabel *busyNote(QWidget &parent, QGridLayout *grid, int rows, int columns);

// A button of a job window: named for the hiding rule, never pressed by the Enter key
// of another control.
QPushButton *namedButton(QWidget &parent, const QString &name, const QString &caption);

// The row of "开始(&G)", "关闭(&C)" and "帮助(&H)" at the foot of a job window; the help
// button has no action.
struct JobButtonRow {
    QHBoxLayout *row;
    QPushButton *start;
    QPushButton *close;
};
JobButtonRow jobButtonRow(QWidget &parent);
// The same row for a job dialog: start runs the job, close closes the dialog.
template <class Dialog>
JobButtonRow jobButtonRow(Dialog &dialog, void (Dialog::*start)())
{
    const JobButtonRow buttons = jobButtonRow(dialog);
    QObject::connect(buttons.start, &QPushButton::clicked, &dialog, start);
    QObject::connect(buttons.close, &QPushButton::clicked, &dialog, &QWidget::close);
    return buttons;
}

// A finished job dialog offers its close button as "完成(&F)", in focus.
void showFinishButton(QPushButton *close);

// The hourglass while a job runs, restored however the job ends.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
