#pragma once

#include <QObject>

class GridModel;
class QLabel;
class QProgressBar;
class QStatusBar;

// The status bar's view of what is left: the entries per status, the share translated
// and a small progress bar, and how many entries a filter shows. Follows every change of the model; the document keeps the
// counts, so an update costs the same for ten entries as for a million.
class StatusSummary : public QObject {
    Q_OBJECT

public:
    StatusSummary(const GridModel &model, QStatusBar *bar);

    // "未译 2  复查 1  不译 0  已译 3 / 6 (50.0%)"
    QString text() const;

private:
    void refresh();

    const GridModel &m_model;
    QLabel *m_shown;
    QLabel *m_counts;
    QProgressBar *m_progress;
};
