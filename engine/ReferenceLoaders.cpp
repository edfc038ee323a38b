#include "ReferenceLoaders.h"

#include "JobSettings.h"
#include "JobStatistics.h"
#include "SqlScriptWriter.h"

void ReferenceLoader::addPair(const QString &source, const QString &translation, TableScriptWriter &script)
{
    if (source.size() > m_settings.options.txtLenLimit || source == translation)
        return;
    const ReferencePair pair = m_settings.rules.NormaliseReferencePair(source, translation);
    script.writeR(pair);
    if (m_statistics)
        m_statistics->addReferenceKey(pair.r1);
}
