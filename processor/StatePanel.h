#pragma once

#include <QFrame>
#include <QList>

class QLabel;
class QLayout;

// The progress panel `picState`: the four stage captions `lblSta1` to `lblSta4`, the
// result labels `lblState0` to `lblState3` with their markers `shpState0` to
// `shpState3`, and the credits.
class StatePanel : public QFrame {
    Q_OBJECT

public:
    static constexpr QRgb NeutralBackground = 0xFFFFFF;
    static constexpr QRgb PendingText = 0x316AC5;
    static constexpr QRgb FinishedBackground = 0xC2D3EF;
    static constexpr QRgb FinishedText = 0x000000;

    explicit StatePanel(QWidget *parent = nullptr);

    // Every stage pending again: white, blue text, no caption.
    void resetStages();
    // The running caption of a stage that has not finished yet.
    void showProgress(int stage, const QString &caption);
    // UpdateStateLabel: the stage's final caption on light blue; a stage index out of
    // range is passed over.
    void UpdateStateLabel(int stage, const QString &caption);

private:
    QLayout *createStageRows();
    QLayout *createCredits();
    void paintStage(int stage, QRgb background, QRgb text);

    QList<QLabel *> m_results;
    QList<QFrame *> m_markers;
};
