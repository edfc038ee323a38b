#pragma once

#include "MatchKeys.h"
#include "SqlStatements.h"
#include "TextFile.h"

#include <QString>

// Writes the script that creates and fills one table of the working database:
// the rows go in one transaction and the index is built after them. The file
// appears only when finish() has run, so a stopped loader leaves no half script.
class TableScriptWriter {
public:
    TableScriptWriter(const QString &path, WorkTable table);

    void writeR(const ReferencePair &pair);
    void writeS(const QString &so, const SourceParts &parts);
    void writeO(const QString &o0, const QString &o1, const QString &o2);
    void writeG(const QString &g0, const QString &gs, const QString &gn, const QString &g1,
                const QString &g2);
    void finish();

private:
    TextFileWriter m_file;
    WorkTable m_table;
};

// Writes the script that puts the found translations into table O or G.
class UpdateScriptWriter {
public:
    UpdateScriptWriter(const QString &path, WorkTable table);

    void writeUpdate(QStringView translation, QStringView source);
    void finish();

private:
    TextFileWriter m_file;
    WorkTable m_table;
};
