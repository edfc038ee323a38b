#include "ConsoleObserver.h"

#include "OutputGenerators.h"

#include <cstdio>

ConsoleObserver::ConsoleObserver() : m_out(stdout), m_err(stderr)
{
}

void ConsoleObserver::stageProgress(int, const QString &)
{
}

void ConsoleObserver::stageFinished(int stage, qint64 milliseconds, const QString &, const QString &caption)
{
    if (stage == OutputGenerator::ReferenceStage)
        m_referenceMs = milliseconds;
    m_out << processorStageCaptions().value(stage) << u' ' << caption << Qt::endl;
}

void ConsoleObserver::errorReported(const ErrorReport &report)
{
    m_err << text(report) << Qt::endl;
}

QString ConsoleObserver::text(const ErrorReport &report)
{
    return QString(report.boxText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
