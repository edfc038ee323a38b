#include "WorkFiles.h"

#include "AppFolder.h"
#include "ErrorReport.h"
#include "PathNames.h"
#include "TextFile.h"

#include <QFileInfo>
#include <QTemporaryFile>

QString drawWorkFileName(const QString &extension)
{
    QTemporaryFile reserved(AppFolder::file(QStringLiteral("tlyXXXXXX.tmp")));
    if (!reserved.open())
        Errors::raise(Errors::PathFileAccess, AppFolder::path());
    return ChangeExtension(QFileInfo(reserved.fileName()).fileName(), extension);
}

WorkFiles WorkFiles::draw(bool twoLineTodo)
{
    WorkFiles files;
    const QString sql = QStringLiteral(".sql");
    const QString txt = QStringLiteral(".txt");
    const QString sh = QStringLiteral(".sh");
    files.DatabaseFile = drawWorkFileName(QStringLiteral(".db"));
    files.ReferenceSqlFile = drawWorkFileName(sql);
    files.TodoSqlFile = drawWorkFileName(sql);
    if (twoLineTodo) {
        files.TodoSqlFile2 = drawWorkFileName(sql);
        files.UpdateSqlFile = drawWorkFileName(sql);
    }
    files.JoinResultFile = drawWorkFileName(txt);
    if (twoLineTodo)
        files.OutputDumpFile = drawWorkFileName(txt);
    files.ScriptFile = inFolder(drawWorkFileName(sh));
    if (twoLineTodo)
        files.SecondScriptFile = inFolder(drawWorkFileName(sh));
    return files;
}

QString WorkFiles::inFolder(const QString &name)
{
    return AppFolder::file(name);
}

QStringList WorkFiles::paths() const
{
    QStringList all;
    for (const QString *name : {&DatabaseFile, &ReferenceSqlFile, &TodoSqlFile, &TodoSqlFile2, &UpdateSqlFile,
                                &JoinResultFile, &OutputDumpFile}) {
        if (!name->isEmpty())
            all << inFolder(*name);
    }
    all << inFolder(DatabaseFile + QStringLiteral("-journal"));
    for (const QString *script : {&ScriptFile, &SecondScriptFile}) {
        if (!script->isEmpty())
            all << *script;
    }
    return all;
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
    const QString partial = to + QStringLiteral(".part");
    copy(from, partial);
    m_lines << QStringLiteral("mv -f -- %1 %2").arg(shellQuote(partial), shellQuote(to));
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
