#include "SqlScriptWriter.h"

TableScriptWriter::TableScriptWriter(const QString &path, WorkTable table)
    : m_file(path, TextEncoding::Utf8), m_table(table)
{
    m_file.lines().writeLine(Sql::beginTransaction());
    m_file.lines().writeLine(Sql::createTable(table));
}

void TableScriptWriter::writeR(const ReferencePair &pair)
{
    Q_ASSERT(m_table == WorkTable::R);
    m_file.lines().writeLine(Sql::rowR(pair.r1, pair.r2));
}

void TableScriptWriter::writeS(const QString &so, const SourceParts &parts)
{
    Q_ASSERT(m_table == WorkTable::S);
    m_file.lines().writeLine(Sql::rowS(so, parts.sh, parts.sm, parts.sk, parts.st));
}

void TableScriptWriter::writeO(const QString &o0, const QString &o1, const QString &o2)
{
    Q_ASSERT(m_table == WorkTable::O);
    m_file.lines().writeLine(Sql::rowO(o0, o1, o2));
}

void TableScriptWriter::writeG(const QString &g0, const QString &gs, const QString &gn,
                               const QString &g1, const QString &g2)
{
    Q_ASSERT(m_table == WorkTable::G);
    m_file.lines().writeLine(Sql::rowG(g0, gs, gn, g1, g2));
}

void TableScriptWriter::finish()
{
    m_file.lines().writeLine(Sql::createIndex(m_table));
    m_file.lines().writeLine(Sql::commit());
    m_file.commit();
}

UpdateScriptWriter::UpdateScriptWriter(const QString &path, WorkTable table)
    : m_file(path, TextEncoding::Utf8), m_table(table)
{
    Q_ASSERT(table == WorkTable::O || table == WorkTable::G);
    m_file.lines().writeLine(Sql::beginTransaction());
}

void UpdateScriptWriter::writeUpdate(QStringView translation, QStringView source)
{
    m_file.lines().writeLine(m_table == WorkTable::O ? Sql::updateO(translation, source)
                                                     : Sql::updateG(translation, source));
}

void UpdateScriptWriter::finish()
{
    m_file.lines().writeLine(Sql::commit());
    m_file.commit();
}
