#include "TodoLoaders.h"

#include "DictionaryEntry.h"
#include "JobSettings.h"
#include "JobStatistics.h"
#include "SqlScriptWriter.h"
#include "TwoLineText.h"

void TodoLoader::addCandidate(const QString &source, const QString &so, TableScriptWriter &script)
{
    script.writeS(so, m_settings.rules.SplitSourceParts(source));
    if (m_statistics)
        m_statistics->addCandidate(so);
}

void clsDikGLO2::run()
{
    scanGlossary(WorkTable::S, [this](const QString &source, const QString &translation, TableScriptWriter &script) {
        if (source.size() <= m_settings.options.txtLenLimit && source == translation)
            addCandidate(source, translation, script);
    });
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
        // Rebuilt in the same storage for every entry.
        firstLine.resize(0);
        firstLine.append(entry.number).append(u':').append(entry.source);
        entries.writeO(firstLine, entry.source, entry.translation);
        if (entry.source.size() <= m_settings.options.txtLenLimit && entry.source == entry.translation)
            addCandidate(entry.source, entry.translation, candidates);
    }
    candidates.finish();
    entries.finish();
    stopClock();
}
