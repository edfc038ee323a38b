#include "BatchProgress.h"

#include "ConsoleText.h"
#include "JobObserver.h"

BatchProgress::BatchProgress(int total, QTextStream &out, QTextStream &err, bool terminal)
    : m_total(total), m_out(out), m_err(err), m_terminal(terminal)
{
    m_clock.start();
}

void BatchProgress::fileDone(const QString &name, const JobSummary &summary, qint64 milliseconds)
{
    clearLine();
    ++m_done;
    m_sum += summary;
    m_out << shownName(name) << QStringLiteral(": 已预翻译 %1 / %2 条未译条目，").arg(summary.translated).arg(summary.candidates)
          << timeCaption(milliseconds);
    if (summary.referenceMs >= 0)
        m_out << QStringLiteral("，") << processorStageCaptions().value(0) << u' '
              << timeCaption(summary.referenceMs);
    m_out << Qt::endl;
    refresh();
}

void BatchProgress::fileFailed(const QString &name, const QString &errorText)
{
    clearLine();
    ++m_done;
    ++m_failed;
    m_err << shownName(name) << QStringLiteral(": ") << consoleText(errorText.trimmed(), {}) << Qt::endl;
    refresh();
}

void BatchProgress::refresh()
{
    if (!m_terminal)
        return;
    m_err << QStringLiteral("\r已完成 %1 / %2 个文件，用时 %3s").arg(m_done).arg(m_total).arg(m_clock.elapsed() / 1000)
          << Qt::flush;
}

void BatchProgress::clearLine()
{
    if (m_terminal)
        m_err << "\r\x1b[K" << Qt::flush;
}

void BatchProgress::finish(int skipped)
{
    clearLine();
    m_out << QStringLiteral("合计: %1 个文件成功，%2 个失败，%3 个跳过，")
                 .arg(m_done - m_failed)
                 .arg(m_failed)
                 .arg(skipped)
          << timeCaption(m_clock.elapsed()) << Qt::endl;
    m_sum.print(m_out);
}
