#pragma once

#include "DictionaryStage.h"
#include "SqlScriptWriter.h"

class JobStatistics;

// The second stage: one row of S per untranslated to-do entry within the length
// limit, its source cut into head, match key, accelerator suffix and tail.
class TodoLoader : public DictionaryStage {
public:
    using DictionaryStage::DictionaryStage;
    void setStatistics(JobStatistics *statistics) { m_statistics = statistics; }
    // The loaders that also write a whole-entry table: its script, and the S script.
    void setOutputFile1(const QString &path) { m_outputFile1 = path; }
    void setOutputFile2(const QString &path) { m_outputFile2 = path; }

protected:
    // Writes the S row when the entry is selected; so is the text at the entry's
    // translation position, by which the result finds it again.
    void addCandidate(const QString &source, const QString &so, TableScriptWriter &script);

    QString m_outputFile1;
    QString m_outputFile2;

private:
    JobStatistics *m_statistics = nullptr;
};
