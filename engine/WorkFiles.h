#pragma once

#include <QString>
#include <QStringList>

// The work files of one job, all in the program folder. Scripts are stored with the
// folder (they are started by path), everything else bare, since the scripts run in
// that folder.
struct WorkFiles {
    QString DatabaseFile;
    QString ReferenceSqlFile;
    QString TodoSqlFile;
    QString TodoSqlFile2;
    QString UpdateSqlFile;
    QString JoinResultFile;
    QString OutputDumpFile;
    QString ScriptFile;
    QString SecondScriptFile;

    // Draws fresh names in the order database, .sql files, .txt files, scripts; the
    // second group of names only for a two-line to-do dictionary.
    static WorkFiles draw(bool twoLineTodo);
    // folder + a bare name
    static QString inFolder(const QString &name);
    // Every drawn work file with its folder, and the database's journal.
    QStringList paths() const;
};

// A fresh bare file name in the program folder with the given extension (".sql").
QString drawWorkFileName(const QString &extension);

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
