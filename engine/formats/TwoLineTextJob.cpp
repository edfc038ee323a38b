#include "TwoLineTextJob.h"

#include "DictionaryEntry.h"
#include "JobSettings.h"
#include "SqlScriptWriter.h"
#include "TwoLineText.h"

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
