#include "ReferenceLoaders.h"

#include "DictionaryEntry.h"
#include "JobSettings.h"
#include "JobStatistics.h"
#include "SqlScriptWriter.h"
#include "TwoLineText.h"

void ReferenceLoader::addPair(const QString &source, const QString &translation, TableScriptWriter &script)
{
    if (source.size() > m_settings.options.txtLenLimit || source == translation)
        return;
    const ReferencePair pair = m_settings.rules.normaliseReferencePair(source, translation);
    script.writeR(pair);
    if (m_statistics)
        m_statistics->addReferenceKey(pair.r1);
}

void clsDikGLO1::run()
{
    m_script = std::make_unique<TableScriptWriter>(m_outputFile, WorkTable::R);
    m_scanner->setFieldSeparator(QStringLiteral("\t"));
    m_scanner->setFileName(m_inputFile);
    m_scanner->setEncoding(std::nullopt);
    m_scanner->start(*this);
    m_script.reset();
}

void clsDikGLO1::scanBegin(LineScanner &)
{
    startClock();
}

void clsDikGLO1::scanRecord(LineScanner &scanner)
{
    showPercent(scanner.percentDone());
    if (scanner.fieldCount() >= 3)
        return;
    addPair(scanner.field(1), scanner.field(2), *m_script);
}

void clsDikGLO1::scanEnd(LineScanner &)
{
    m_script->finish();
    stopClock();
}

void clsDikUPB1::run()
{
    TableScriptWriter script(m_outputFile, WorkTable::R);
    TextFileReader input(m_inputFile);
    startClock();
    TwoLineTextReader reader(input.lines());
    DictionaryEntry entry;
    while (reader.next(entry)) {
        showSpinner();
        addPair(entry.source, entry.translation, script);
    }
    script.finish();
    stopClock();
}
