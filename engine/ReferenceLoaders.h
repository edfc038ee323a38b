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

// Reads a PASSOLO glossary through the line scanner; lines of three or more fields
// are passed over, a line without a tab has an empty translation.
class clsDikGLO1 : public ReferenceLoader {
public:
    using ReferenceLoader::ReferenceLoader;

protected:
    const char *className() const override { return "clsDikGLO1"; }
    void run() override;
};

// Reads a two-line text dictionary: "N:source" lines and the translation line after each.
class clsDikUPB1 : public ReferenceLoader {
public:
    using ReferenceLoader::ReferenceLoader;

protected:
    const char *className() const override { return "clsDikUPB1"; }
    void run() override;
};
