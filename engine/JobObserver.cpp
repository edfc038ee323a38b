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

void StageLabel::setCaption(const QString &caption)
{
    m_caption = caption;
    m_observer.stageProgress(m_stage, m_caption);
}

void StageLabel::spin()
{
    setCaption(m_caption.size() >= SpinnerLength ? QStringLiteral("*") : m_caption + u'*');
}

void StageLabel::finish(qint64 milliseconds, const QString &fileName)
{
    m_caption = formatStageCaption(milliseconds, fileName);
    m_observer.stageFinished(m_stage, milliseconds, fileName, m_caption);
}

const QStringList &processorStageCaptions()
{
    static const QStringList captions{QStringLiteral("参照字典净化:"), QStringLiteral("未译字典分滤:"),
                                      QStringLiteral("就绪字典构建:"), QStringLiteral("已译字典生成:")};
    return captions;
}

QString formatStageCaption(qint64 milliseconds, const QString &fileName)
{
    QString caption = QStringLiteral("时间: ") + groupedNumber(milliseconds) + QStringLiteral("ms");
    if (!fileName.isEmpty()) {
        const QFileInfo file(fileName);
        const qint64 size = file.isFile() ? file.size() : 0;
        caption += QStringLiteral(" 大小: ") + groupedNumber(size / 1024) + QStringLiteral("KB");
    }
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
