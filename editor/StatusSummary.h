#pragma once

#include <QObject>

class DocumentChecks;
class GridModel;
class QLabel;
class QProgressBar;
class QStatusBar;

// The status bar's view of what is left: the entries per status, the share translated
// and a small progress bar, how many entries have findings of the checks, and how many
// entries a filter shows. Follows every change of the model and of the findings; both
// keep their counts, so an update costs the same for ten entries as for a million.
class StatusSummary : public QObject {
    Q_OBJECT

public:
    StatusSummary(const GridModel &model, const DocumentChecks &checks, QStatusBar *bar);

    // "未译 2  复查 1  不译 0  已译 3 / 6 (50.0%)"
    QString text() const;

private:
    void refresh();

    const GridModel &m_model;
    const DocumentChecks &m_checks;
    QLabel *m_shown;
    QLabel *m_problems;
    QLabel *m_counts;
    QProgressBar *m_progress;
};
