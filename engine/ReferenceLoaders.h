#pragma once

#include "DictionaryStage.h"
#include "SqlScriptWriter.h"

class JobStatistics;

// The first stage: one row of R per reference entry that carries a translation (its
// source differs from it) and whose source is within the length limit, reduced to
// its bare source and translation.
class ReferenceLoader : public DictionaryStage {
public:
    using DictionaryStage::DictionaryStage;
    void setStatistics(JobStatistics *statistics) { m_statistics = statistics; }

protected:
    void addPair(const QString &source, const QString &translation, TableScriptWriter &script);

private:
    JobStatistics *m_statistics = nullptr;
};
