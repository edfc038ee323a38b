#include "ConsoleObserver.h"

#include "ConsoleText.h"
#include "OutputGenerators.h"

#include <cstdio>

ConsoleObserver::ConsoleObserver(const QStringList &names) : m_out(stdout), m_err(stderr), m_names(names)
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
    m_err << text(report, m_names) << Qt::endl;
}

QString ConsoleObserver::text(const ErrorReport &report, const QStringList &names)
{
    return consoleText(report.boxText(), names);
}
