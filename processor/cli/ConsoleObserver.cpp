#include "ConsoleObserver.h"

#include "OutputGenerators.h"

#include <cstdio>

ConsoleObserver::ConsoleObserver() : m_out(stdout), m_err(stderr)
{
}

void ConsoleObserver::stageProgress(int, StageProgress)
{
}

void ConsoleObserver::stageFinished(const StageResult &result)
{
    if (result.stage == OutputGenerator::ReferenceStage)
        m_referenceMs = result.milliseconds;
    m_out << processorStageCaptions().value(result.stage) << u' ' << stageCaption(result) << Qt::endl;
}

void ConsoleObserver::errorReported(const ErrorReport &report)
{
    m_err << text(report) << Qt::endl;
}

QString ConsoleObserver::text(const ErrorReport &report)
{
    return QString(report.boxText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
