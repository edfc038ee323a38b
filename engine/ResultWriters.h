#pragma once

#include "DictionaryStage.h"
#include "LineScanner.h"
#include "MatchKeys.h"
#include "SqlScriptWriter.h"
#include "SqlStatements.h"

#include <memory>
#include <optional>

class JobStatistics;

// The result stage: reads the match result (so, sh, r2, sk, st per line, tab-separated)
// and re-dresses each reference translation with the entry's own decorations.
class ResultWriter : public DictionaryStage, protected LineScanner::Handler {
public:
    using DictionaryStage::DictionaryStage;
    void setStatistics(JobStatistics *statistics);

protected:
    void run() override;
    void scanBegin(LineScanner &) override;
    void scanRecord(LineScanner &scanner) override;
    void scanEnd(LineScanner &) override;

    virtual void open() = 0;
    virtual void write(QStringView source, const QString &translation) = 0;
    virtual void close() = 0;

private:
    void count(LineScanner &scanner);

    JobStatistics *m_statistics = nullptr;
    // Cuts a matched entry's key without upper-casing, to tell whether case mattered.
    std::optional<MatchKeyRules> m_caseSensitiveRules;
};

// Writes the update script that puts the translations into table O (the processor)
// or G (the editor's import).
class clsDikUPB3 : public ResultWriter {
public:
    clsDikUPB3(const JobSettings &settings, WorkTable table = WorkTable::O);

protected:
    const char *className() const override { return "clsDikUPB3"; }
    void open() override;
    void write(QStringView source, const QString &translation) override;
    void close() override;

private:
    WorkTable m_table;
    std::unique_ptr<UpdateScriptWriter> m_script;
};
