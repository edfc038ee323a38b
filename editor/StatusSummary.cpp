#include "StatusSummary.h"

#include "DocumentChecks.h"
#include "GridModel.h"

#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QStatusBar>

namespace {
constexpr int ProgressWidth = 120;
constexpr int PerMille = 1000;
}

StatusSummary::StatusSummary(const GridModel &model, const DocumentChecks &checks, QStatusBar *bar)
    : QObject(bar), m_model(model), m_checks(checks)
{
    m_shown = new QLabel(bar);
    m_shown->setObjectName(QStringLiteral("lblShown"));
    m_problems = new QLabel(bar);
    m_problems->setObjectName(QStringLiteral("lblProblems"));
    m_problems->setToolTip(QStringLiteral("有问题的条目数（查看 → 筛选 → 有问题的条目）"));
    m_counts = new QLabel(bar);
    m_counts->setObjectName(QStringLiteral("lblCounts"));
    m_progress = new QProgressBar(bar);
    m_progress->setObjectName(QStringLiteral("barTranslated"));
    m_progress->setRange(0, PerMille);
    m_progress->setTextVisible(false);
    m_progress->setFixedWidth(ProgressWidth);
    bar->addPermanentWidget(m_shown);
    bar->addPermanentWidget(m_problems);
    bar->addPermanentWidget(m_counts);
    bar->addPermanentWidget(m_progress);
    connect(&model, &QAbstractItemModel::modelReset, this, &StatusSummary::refresh);
    connect(&model, &QAbstractItemModel::dataChanged, this, &StatusSummary::refresh);
    connect(&checks, &DocumentChecks::changed, this, &StatusSummary::refresh);
    refresh();
}

QString StatusSummary::text() const
{
    const DictionaryDocument &document = m_model.document();
    const QLocale numbers(QLocale::English);
    QString text;
    for (const QString &status : {EntryStatus::Untranslated, EntryStatus::Review, EntryStatus::NotToTranslate})
        text += status + u' ' + numbers.toString(document.statusCount(status)) + QStringLiteral("  ");
    const qsizetype translated = document.statusCount(EntryStatus::Translated);
    const double share = 100.0 * static_cast<double>(translated) / static_cast<double>(document.size());
    return text + EntryStatus::Translated + u' ' + numbers.toString(translated) + QStringLiteral(" / ")
        + numbers.toString(document.size()) + QStringLiteral(" (") + QString::number(share, 'f', 1) + QStringLiteral("%)");
}

void StatusSummary::refresh()
{
    const DictionaryDocument &document = m_model.document();
    const bool any = !document.isEmpty();
    m_counts->setText(any ? text() : QString());
    const QLocale numbers(QLocale::English);
    m_shown->setVisible(m_model.filter() != GridModel::Filter::All);
    m_shown->setText(QStringLiteral("筛选后显示 %1 条").arg(numbers.toString(m_model.shownEntries().size())));
    m_problems->setVisible(any);
    m_problems->setText(QStringLiteral("有问题 %1").arg(numbers.toString(m_checks.entriesWithFindings())));
    m_progress->setVisible(any);
    if (any)
        m_progress->setValue(static_cast<int>(PerMille * document.statusCount(EntryStatus::Translated) / document.size()));
}
