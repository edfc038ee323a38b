#include "DictionaryStage.h"

#include "ErrorReport.h"
#include "LineScanner.h"
#include "SqlScriptWriter.h"

namespace {

class RecordScan : public LineScanner::Handler {
public:
    using Progress = std::function<void(int)>;
    RecordScan(TableScriptWriter &script, const DictionaryStage::RecordHandler &take, Progress progress)
        : m_script(script), m_take(take), m_progress(std::move(progress))
    {
    }
    void scanRecord(LineScanner &scanner) override
    {
        m_progress(scanner.percentDone());
        m_take(scanner, m_script);
    }

private:
    TableScriptWriter &m_script;
    const DictionaryStage::RecordHandler &m_take;
    Progress m_progress;
};

}

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
        m_label->showPercent(percentDone);
}

void DictionaryStage::showSpinner()
{
    if (m_progress.due())
        m_label->spin();
}

void DictionaryStage::scanTabSeparated(WorkTable table, const RecordHandler &take)
{
    TableScriptWriter script(m_outputFile, table);
    m_scanner->setFieldSeparator(QStringLiteral("\t"));
    m_scanner->setFileName(m_inputFile);
    m_scanner->setEncoding(std::nullopt);
    startClock();
    RecordScan scan(script, take, [this](int percent) { showPercent(percent); });
    m_scanner->start(scan);
    script.finish();
    stopClock();
}
