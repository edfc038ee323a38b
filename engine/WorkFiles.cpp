#include "WorkFiles.h"

#include "AppFolder.h"
#include "TextFile.h"

#include <QFileInfo>

WorkFiles WorkFiles::draw(bool throughEntryTable)
{
    WorkClaim::removeStale(AppFolder::path());
    WorkFiles files;
    files.m_claim = WorkClaim::make(AppFolder::path(), QStringLiteral("tlyXXXXXX"));
    int drawn = 0;
    const auto next = [&files, &drawn](const QString &extension) {
        const QString path = files.m_claim.path(QStringLiteral("-%1").arg(++drawn) + extension);
        return WorkFile{QFileInfo(path).fileName(), path};
    };
    const QString sql = QStringLiteral(".sql");
    const QString txt = QStringLiteral(".txt");
    const QString sh = QStringLiteral(".sh");
    files.DatabaseFile = next(QStringLiteral(".db"));
    files.ReferenceSqlFile = next(sql);
    files.TodoSqlFile = next(sql);
    if (throughEntryTable) {
        files.TodoSqlFile2 = next(sql);
        files.UpdateSqlFile = next(sql);
    }
    files.JoinResultFile = next(txt);
    if (throughEntryTable)
        files.OutputDumpFile = next(txt);
    files.ScriptFile = next(sh);
    if (throughEntryTable)
        files.SecondScriptFile = next(sh);
    return files;
}

QStringList WorkFiles::all() const
{
    QStringList files;
    for (const WorkFile &file : {DatabaseFile, ReferenceSqlFile, TodoSqlFile, TodoSqlFile2, UpdateSqlFile,
                                 JoinResultFile, OutputDumpFile, ScriptFile, SecondScriptFile}) {
        if (!file.path.isEmpty())
            files << file.path;
    }
    if (!DatabaseFile.path.isEmpty())
        files.insert(1, DatabaseFile.path + QStringLiteral("-journal"));
    // Last: the files are no one's to clear away once the mark is gone.
    if (!files.isEmpty())
        files << m_claim.markPath();
    return files;
}

QString shellQuote(const QString &word)
{
    QString quoted = word;
    quoted.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + quoted + u'\'';
}

ShellScript::ShellScript()
{
    m_lines << QStringLiteral("#!/bin/sh") << QStringLiteral("set -e");
}

void ShellScript::echo(const QString &name)
{
    m_lines << QStringLiteral("echo ") + shellQuote(name);
}

void ShellScript::sqlite(const QString &database, const QString &script)
{
    m_lines << QStringLiteral("sqlite3 -safe -bail %1 < %2").arg(shellQuote(database), shellQuote(script));
}

void ShellScript::sqliteQuery(const QStringList &modeOptions, const QString &database, const QString &query,
                              const QString &output)
{
    QStringList words{QStringLiteral("sqlite3"), QStringLiteral("-safe")};
    for (const QString &option : modeOptions)
        words << shellQuote(option);
    words << shellQuote(database) << shellQuote(query) << QStringLiteral(">") << shellQuote(output);
    m_lines << words.join(u' ');
}

void ShellScript::copy(const QString &from, const QString &to)
{
    m_lines << QStringLiteral("cp -f -- %1 %2").arg(shellQuote(from), shellQuote(to));
}

void ShellScript::copyReplacing(const QString &from, const QString &to)
{
    const QString partial = shellQuote(to + QStringLiteral(".part"));
    // A copy cut short (full disk, size limit) must not stay beside the kept target.
    m_lines << QStringLiteral("cp -f -- %1 %2 && mv -f -- %2 %3 || { rm -f -- %2; exit 1; }")
                   .arg(shellQuote(from), partial, shellQuote(to));
}

void ShellScript::remove(const QStringList &names)
{
    QStringList words{QStringLiteral("rm -f --")};
    for (const QString &name : names)
        words << shellQuote(name);
    m_lines << words.join(u' ');
}

void ShellScript::save(const QString &path) const
{
    TextFileWriter file(path, TextEncoding::Utf8, LineEnd::Lf);
    for (const QString &line : m_lines)
        file.lines().writeLine(line);
    file.commit();
}
