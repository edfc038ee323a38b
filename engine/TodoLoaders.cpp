#include "TodoLoaders.h"

#include "DictionaryEntry.h"
#include "JobSettings.h"
#include "JobStatistics.h"
#include "SqlScriptWriter.h"
#include "TwoLineText.h"

void TodoLoader::addCandidate(const QString &source, const QString &so, TableScriptWriter &script)
{
    script.writeS(so, m_settings.rules.splitSourceParts(source));
    if (m_statistics)
        m_statistics->addCandidate(so);
}

void clsDikGLO2::run()
{
    m_script = std::make_unique<TableScriptWriter>(m_outputFile, WorkTable::S);
    m_scanner->setFieldSeparator(QStringLiteral("\t"));
    m_scanner->setFileName(m_inputFile);
    m_scanner->setEncoding(std::nullopt);
    m_scanner->start(*this);
    m_script.reset();
}

void clsDikGLO2::scanBegin(LineScanner &)
{
    startClock();
}

void clsDikGLO2::scanRecord(LineScanner &scanner)
{
    showPercent(scanner.percentDone());
    if (scanner.fieldCount() >= 3)
        return;
    const QString source = scanner.field(1);
    const QString translation = scanner.field(2);
    if (source.size() <= m_settings.options.txtLenLimit && source == translation)
        addCandidate(source, translation, *m_script);
}

void clsDikGLO2::scanEnd(LineScanner &)
{
    m_script->finish();
    stopClock();
}

void clsDikUPB2::run()
{
    TableScriptWriter entries(m_outputFile1, WorkTable::O);
    TableScriptWriter candidates(m_outputFile2, WorkTable::S);
    TextFileReader input(m_inputFile);
    startClock();
    TwoLineTextReader reader(input.lines());
    DictionaryEntry entry;
    QString firstLine;
    while (reader.next(entry)) {
        showSpinner();
        firstLine = entry.number;
        firstLine += u':';
        firstLine += entry.source;
        entries.writeO(firstLine, entry.source, entry.translation);
        if (entry.source.size() <= m_settings.options.txtLenLimit && entry.source == entry.translation)
            addCandidate(entry.source, entry.translation, candidates);
    }
    candidates.finish();
    entries.finish();
    stopClock();
}
