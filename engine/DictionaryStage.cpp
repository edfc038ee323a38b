#include "DictionaryStage.h"

#include "ErrorReport.h"

bool DictionaryStage::DoItNow()
{
    try {
        run();
        return true;
    } catch (const AppError &error) {
        m_label->observer().errorReported(
            error.reportAt(classLocation(QString::fromLatin1(className()), QStringLiteral("DoItNow"))));
    } catch (const std::exception &error) {
        const ErrorReport report{Errors::UserDefined, QString::fromLocal8Bit(error.what()),
                                 classLocation(QString::fromLatin1(className()), QStringLiteral("DoItNow"))};
        m_label->observer().errorReported(report);
    }
    return false;
}

void DictionaryStage::startClock()
{
    m_clock.start();
}

void DictionaryStage::stopClock()
{
    m_processTime = m_clock.elapsed();
}

void DictionaryStage::showPercent(int percentDone)
{
    if (m_progress.due())
        m_label->setCaption(QString::number(percentDone) + u'%');
}

void DictionaryStage::showSpinner()
{
    if (m_progress.due())
        m_label->spin();
}
