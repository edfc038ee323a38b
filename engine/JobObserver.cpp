#include "JobObserver.h"

#include <QFileInfo>
#include <QLocale>

namespace {
constexpr qint64 ProgressInterval = 500;
constexpr int SpinnerLength = 6;

QString groupedNumber(qint64 value)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale.toString(value);
}
}

void StageLabel::showPercent(int percent)
{
    m_steps = 0;
    m_observer.stageProgress(m_stage, {StageProgress::Kind::Percent, percent});
}

void StageLabel::spin()
{
    m_steps = m_steps >= SpinnerLength ? 1 : m_steps + 1;
    m_observer.stageProgress(m_stage, {StageProgress::Kind::Spinner, m_steps});
}

void StageLabel::finish(qint64 milliseconds, const QString &fileName)
{
    m_steps = 0;
    std::optional<qint64> bytes;
    if (!fileName.isEmpty()) {
        const QFileInfo file(fileName);
        bytes = file.isFile() ? file.size() : 0;
    }
    m_observer.stageFinished({m_stage, milliseconds, bytes});
}

const QStringList &processorStageCaptions()
{
    static const QStringList captions{QStringLiteral("参照字典净化:"), QStringLiteral("未译字典分滤:"),
                                      QStringLiteral("就绪字典构建:"), QStringLiteral("已译字典生成:")};
    return captions;
}

QString stageCaption(StageProgress progress)
{
    if (progress.kind == StageProgress::Kind::Spinner)
        return QString(progress.value, u'*');
    return QString::number(progress.value) + u'%';
}

QString timeCaption(qint64 milliseconds)
{
    return QStringLiteral("时间: ") + groupedNumber(milliseconds) + QStringLiteral("ms");
}

QString stageCaption(const StageResult &result)
{
    QString caption = timeCaption(result.milliseconds);
    if (result.bytes)
        caption += QStringLiteral(" 大小: ") + groupedNumber(*result.bytes / 1024) + QStringLiteral("KB");
    return caption;
}

bool ProgressClock::due()
{
    const qint64 now = m_timer.elapsed();
    if (now - m_last <= ProgressInterval)
        return false;
    m_last = now;
    return true;
}
