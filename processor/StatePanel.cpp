#include "StatePanel.h"

#include "JobObserver.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int MarkerSize = 14;
constexpr int CreditsIconSize = 48;
constexpr int StageCount = 4;
constexpr int StageSpacing = 14;
constexpr int PanelMargin = 16;

void setColours(QWidget *widget, QRgb background, QRgb text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(background));
    palette.setColor(QPalette::WindowText, QColor::fromRgb(text));
    widget->setPalette(palette);
}

QLabel *namedLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

}

StatePanel::StatePanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("picState"));
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setColours(this, NeutralBackground, FinishedText);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(PanelMargin, PanelMargin, PanelMargin, PanelMargin);
    layout->addLayout(createStageRows());
    layout->addStretch();
    layout->addLayout(createCredits());
    resetStages();
}

QLayout *StatePanel::createStageRows()
{
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(StageSpacing);
    const QStringList &captions = processorStageCaptions();
    for (int stage = 0; stage < StageCount; ++stage) {
        grid->addWidget(namedLabel(QStringLiteral("lblSta%1").arg(stage + 1), captions.value(stage), this), stage, 0);
        auto *marker = new QFrame(this);
        marker->setObjectName(QStringLiteral("shpState%1").arg(stage));
        marker->setFrameShape(QFrame::Box);
        marker->setFixedSize(MarkerSize, MarkerSize);
        marker->setAutoFillBackground(true);
        grid->addWidget(marker, stage, 1);
        QLabel *result = namedLabel(QStringLiteral("lblState%1").arg(stage), QString(), this);
        result->setAutoFillBackground(true);
        result->setMinimumWidth(result->fontMetrics().horizontalAdvance(QStringLiteral("时间: 999,999ms 大小: 999,999KB")));
        grid->addWidget(result, stage, 2);
        m_markers.append(marker);
        m_results.append(result);
    }
    grid->setColumnStretch(3, 1);
    return grid;
}

// The program's name and purpose; nobody's address or link.
QLayout *StatePanel::createCredits()
{
    auto *row = new QHBoxLayout;
    QLabel *image = namedLabel(QStringLiteral("Image1"), QString(), this);
    image->setPixmap(QPixmap(QStringLiteral(":/tallyra.png"))
                         .scaled(CreditsIconSize, CreditsIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    row->addWidget(image);
    auto *texts = new QVBoxLayout;
    QLabel *title = namedLabel(QStringLiteral("lblTitle"),
                               QStringLiteral("Tallyra v%1.%2").arg(PROJECT_VERSION_MAJOR).arg(PROJECT_VERSION_MINOR), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    texts->addWidget(title);
    texts->addWidget(namedLabel(QStringLiteral("lblAbout"), QStringLiteral("简体中文本地化字典的预翻译处理器"), this));
    row->addLayout(texts);
    row->addStretch();
    return row;
}

void StatePanel::resetStages()
{
    for (int stage = 0; stage < StageCount; ++stage) {
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
    if (stage < 0 || stage >= StageCount)
        return;
    m_results[stage]->setText(caption);
    paintStage(stage, FinishedBackground, FinishedText);
}

void StatePanel::paintStage(int stage, QRgb background, QRgb text)
{
    setColours(m_results[stage], background, text);
    setColours(m_markers[stage], background, text);
}
