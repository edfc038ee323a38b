#pragma once

#include <QList>
#include <QStringList>

class QHBoxLayout;
class QPushButton;
class QString;
class QWidget;

// The controls a job dialog hides while it works: those whose object name begins with
// one of the prefixes ("cbo", "cmd", ...), compared lower-case.
QList<QWidget *> jobControls(const QWidget &form, const QStringList &prefixes);

// Hidden controls keep their place, so that a dialog keeps its size while a job runs.
void keepPlaceWhenHidden(const QList<QWidget *> &controls);

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

// The hourglass while a job runs, restored however the job ends.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};
