#pragma once

#include "WorkClaim.h"

#include <QString>
#include <QStringList>

// A work file in the program folder: its bare name, which the scripts use since they
// run in that folder, and its full path for everything else. Both empty when the job
// has no such file.
struct WorkFile {
    QString name;
    QString path;
};

// The work files of one job, all in the program folder, under a mark that names the
// running process as their owner for as long as the job lives.
struct WorkFiles {
    WorkFile DatabaseFile;
    WorkFile ReferenceSqlFile;
    WorkFile TodoSqlFile;
    WorkFile TodoSqlFile2;
    WorkFile UpdateSqlFile;
    WorkFile JoinResultFile;
    WorkFile OutputDumpFile;
    WorkFile ScriptFile;
    WorkFile SecondScriptFile;

    // First clears away the work files of jobs whose process has ended, then draws
    // fresh names in the order database, .sql files, .txt files, scripts; the second
    // group of names only for a to-do that goes through the entry table.
    static WorkFiles draw(bool throughEntryTable);
    // The full path of every work file of the job, journals of the database included,
    // and the owner mark last.
    QStringList all() const;
    QString ownerMark() const { return m_claim.markPath(); }

private:
    WorkClaim m_claim;
};

// The word as one single-quoted shell word: nothing in it is expanded or run.
QString shellQuote(const QString &word);

// Builds an sh script that stops at the first failing command.
class ShellScript {
public:
    ShellScript();
    void echo(const QString &name);
    void sqlite(const QString &database, const QString &script);
    void sqliteQuery(const QStringList &modeOptions, const QString &database, const QString &query,
                     const QString &output);
    void copy(const QString &from, const QString &to);
    // Copies to a temporary name beside the target and renames it over the target, so
    // an existing file is only replaced by a complete copy.
    void copyReplacing(const QString &from, const QString &to);
    void remove(const QStringList &names);
    void save(const QString &path) const;

private:
    QStringList m_lines;
};
