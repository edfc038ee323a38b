#include "DictionaryStage.h"

#include "ErrorReport.h"
#include "LineScanner.h"
#include "SqlScriptWriter.h"
#include "TextFile.h"

namespace {

class GlossaryScan : public LineScanner::Handler {
public:
    using Progress = std::function<void(int)>;
    GlossaryScan(TableScriptWriter &script, const DictionaryStage::GlossaryEntryHandler &take, Progress progress)
        : m_script(script), m_take(take), m_progress(std::move(progress))
    {
    }
    void scanRecord(LineScanner &scanner) override
    {
        m_progress(scanner.percentDone());
        if (scanner.fieldCount() < 3) {
            copyInto(m_source, scanner.fieldView(1));
            copyInto(m_translation, scanner.fieldView(2));
            m_take(m_source, m_translation, m_script);
        }
    }

private:
    TableScriptWriter &m_script;
    const DictionaryStage::GlossaryEntryHandler &m_take;
    Progress m_progress;
    // The fields are copied into the same two strings record after record.
    QString m_source;
    QString m_translation;
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

void DictionaryStage::scanGlossary(WorkTable table, const GlossaryEntryHandler &take)
{
    TableScriptWriter script(m_outputFile, table);
    m_scanner->setFieldSeparator(QStringLiteral("\t"));
    m_scanner->setFileName(m_inputFile);
    m_scanner->setEncoding(std::nullopt);
    startClock();
    GlossaryScan scan(script, take, [this](int percent) { showPercent(percent); });
    m_scanner->start(scan);
    script.finish();
    stopClock();
}
