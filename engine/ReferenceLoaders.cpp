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
    const ReferencePair pair = m_settings.rules.NormaliseReferencePair(source, translation);
    script.writeR(pair);
    if (m_statistics)
        m_statistics->addReferenceKey(pair.r1);
}

void clsDikGLO1::run()
{
    scanGlossary(WorkTable::R, [this](const QString &source, const QString &translation, TableScriptWriter &script) {
        addPair(source, translation, script);
    });
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
