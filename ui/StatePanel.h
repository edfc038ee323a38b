#pragma once

#include "JobObserver.h"

#include <QFrame>
#include <QList>
#include <QStringList>

class QLabel;
class QLayout;

// A job's progress panel `picState`: one row per stage with its caption `lblSta1`,
// `lblSta2`, ..., its result label `lblState0`, `lblState1`, ... and the marker
// `shpState0`, `shpState1`, ... beside it; below the rows whatever the window adds.
class StatePanel : public QFrame {
    Q_OBJECT

public:
    static constexpr QRgb NeutralBackground = 0xFFFFFF;
    static constexpr QRgb PendingText = 0x316AC5;
    static constexpr QRgb FinishedBackground = 0xC2D3EF;
    static constexpr QRgb FinishedText = 0x000000;

    // One stage per caption, in stage order.
    explicit StatePanel(const QStringList &stageCaptions, QWidget *parent = nullptr);

    int stageCount() const { return int(m_results.size()); }
    // Puts the widget at the bottom of the panel (the processor's credits).
    void addFooter(QWidget *footer);

    // Every stage pending again: white, blue text, no caption.
    void resetStages();
    // The running caption of a stage that has not finished yet.
    void showProgress(int stage, const QString &caption);
    // UpdateStateLabel: the stage's final caption on light blue; a stage index out of
    // range is passed over.
    void UpdateStateLabel(int stage, const QString &caption);

private:
    QLayout *createStageRows(const QStringList &captions);
    void paintStage(int stage, QRgb background, QRgb text);

    QList<QLabel *> m_results;
    QList<QFrame *> m_markers;
};

// The observer of a job run from a window with a progress panel (Tallyra's window, the
// import dialog): stages on the panel, errors in the window's error box. The event
// loop runs at every report.
class StatePanelObserver : public JobObserver {
public:
    explicit StatePanelObserver(StatePanel &panel) : m_panel(panel) {}
    void stageProgress(int stage, StageProgress progress) override;
    void stageFinished(const StageResult &result) override;
    void errorReported(const ErrorReport &report) override;

private:
    StatePanel &m_panel;
};
