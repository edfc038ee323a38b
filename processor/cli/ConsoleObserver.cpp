#include "ConsoleObserver.h"

#include <cstdio>

ConsoleObserver::ConsoleObserver() : m_out(stdout), m_err(stderr)
{
}

void ConsoleObserver::stageProgress(int, const QString &)
{
}

void ConsoleObserver::stageFinished(int stage, qint64, const QString &, const QString &caption)
{
    m_out << processorStageCaptions().value(stage) << u' ' << caption << Qt::endl;
}

void ConsoleObserver::errorReported(const ErrorReport &report)
{
    m_err << QString(report.boxText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) << Qt::endl;
}
