#include "ConsoleObserver.h"

#include <cstdio>

ConsoleObserver::ConsoleObserver() : m_out(stdout), m_err(stderr)
{
}

void ConsoleObserver::stageProgress(int, StageProgress)
{
}

void ConsoleObserver::stageFinished(const StageResult &result)
{
    m_out << processorStageCaptions().value(result.stage) << u' ' << stageCaption(result) << Qt::endl;
}

void ConsoleObserver::errorReported(const ErrorReport &report)
{
    m_err << QString(report.boxText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) << Qt::endl;
}
