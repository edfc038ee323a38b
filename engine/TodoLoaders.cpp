#include "TodoLoaders.h"

#include "JobSettings.h"
#include "JobStatistics.h"
#include "SqlScriptWriter.h"

void TodoLoader::addCandidate(const QString &source, const QString &so, TableScriptWriter &script)
{
    script.writeS(so, m_settings.rules.SplitSourceParts(source));
    if (m_statistics)
        m_statistics->addCandidate(so);
}
