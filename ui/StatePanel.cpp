#include "StatePanel.h"

#include "MessageService.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int MarkerSize = 14;
constexpr int StageSpacing = 14;
constexpr int PanelMargin = 16;

void setColours(QWidget *widget, QRgb background, QRgb text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(background));
    palette.setColor(QPalette::WindowText, QColor::fromRgb(text));
    widget->setPalette(palette);
}

}

StatePanel::StatePanel(const QStringList &stageCaptions, QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("picState"));
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setColours(this, NeutralBackground, FinishedText);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(PanelMargin, PanelMargin, PanelMargin, PanelMargin);
    layout->addLayout(createStageRows(stageCaptions));
    layout->addStretch();
    resetStages();
}

QLayout *StatePanel::createStageRows(const QStringList &captions)
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(StageSpacing);
    for (int stage = 0; stage < captions.size(); ++stage) {
        auto *caption = new QLabel(captions[stage], this);
        caption->setObjectName(QStringLiteral("lblSta%1").arg(stage + 1));
        grid->addWidget(caption, stage, 0);
        auto *marker = new QFrame(this);
        marker->setObjectName(QStringLiteral("shpState%1").arg(stage));
        marker->setFrameShape(QFrame::Box);
        marker->setFixedSize(MarkerSize, MarkerSize);
        marker->setAutoFillBackground(true);
        grid->addWidget(marker, stage, 1);
        auto *result = new QLabel(this);
        result->setObjectName(QStringLiteral("lblState%1").arg(stage));
        result->setAutoFillBackground(true);
        result->setMinimumWidth(result->fontMetrics().horizontalAdvance(QStringLiteral("时间: 999,999ms 大小: 999,999KB")));
        grid->addWidget(result, stage, 2);
        m_markers.append(marker);
        m_results.append(result);
    }
    grid->setColumnStretch(3, 1);
    return grid;
}

void StatePanel::addFooter(QWidget *footer)
{
    layout()->addWidget(footer);
}

void StatePanel::resetStages()
{
    for (int stage = 0; stage < stageCount(); ++stage) {
        paintStage(stage, NeutralBackground, PendingText);
        m_results[stage]->clear();
    }
}

void StatePanel::showProgress(int stage, const QString &caption)
{
    if (QLabel *result = m_results.value(stage))
        result->setText(caption);
}

void StatePanel::UpdateStateLabel(int stage, const QString &caption)
{
    if (stage < 0 || stage >= stageCount())
        return;
    m_results[stage]->setText(caption);
    paintStage(stage, FinishedBackground, FinishedText);
}

void StatePanel::paintStage(int stage, QRgb background, QRgb text)
{
    setColours(m_results[stage], background, text);
    setColours(m_markers[stage], background, text);
}

void StatePanelObserver::stageProgress(int stage, StageProgress progress)
{
    m_panel.showProgress(stage, stageCaption(progress));
    QCoreApplication::processEvents();
}

void StatePanelObserver::stageFinished(const StageResult &result)
{
    m_panel.UpdateStateLabel(result.stage, stageCaption(result));
    QCoreApplication::processEvents();
}

void StatePanelObserver::errorReported(const ErrorReport &report)
{
    showErrorBox(m_panel.window(), report);
}
