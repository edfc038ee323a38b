#pragma once

#include "ErrorReport.h"

#include <QFile>
#include <QTest>

#include <array>

// Fixtures live in tests/data; tests copy them into temporary folders as bytes.

inline QString testDataPath(const QString &name)
{
    return QString::fromUtf8(TEST_DATA_DIR "/") + name;
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray testData(const QString &name)
{
    const QByteArray bytes = readBytes(testDataPath(name));
    if (bytes.isEmpty())
        qFatal("missing test data %s", qPrintable(name));
    return bytes;
}

inline QString writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// A UTF-8 case table: one row per line, fields split at '|', every space kept and
// "\r\n" standing for a message box's line break; the first field names the row,
// the others fill the columns in order. Lines starting with '#' and empty lines are notes.
inline void addTestTable(const QString &name, const QList<const char *> &columns)
{
    for (const char *column : columns)
        QTest::addColumn<QString>(column);
    int rows = 0;
    for (const QString &line : QString::fromUtf8(testData(name)).split(u'\n')) {
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'|');
        if (fields.size() != columns.size() + 1)
            qFatal("%s: wrong field count in: %s", qPrintable(name), qPrintable(line));
        QTestData &row = QTest::newRow(qPrintable(fields[0]));
        ++rows;
        for (qsizetype i = 1; i < fields.size(); ++i)
            row << QString(fields[i]).replace(u"\\r\\n"_qs, u"\r\n"_qs);
    }
    // A table left with notes only would let its test pass without running a case.
    if (rows == 0)
        qFatal("%s holds no cases", qPrintable(name));
}

// The bytes a table cell stands for: \n, \\ and \xHH as in C.
inline QByteArray cellBytes(const QString &cell)
{
    const QByteArray text = cell.toUtf8();
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            bytes.append(text[i]);
        } else if (text[i + 1] == 'x') {
            bytes.append(char(text.mid(i + 2, 2).toInt(nullptr, 16)));
            i += 3;
        } else {
            bytes.append(text[++i] == 'n' ? '\n' : text[i] == 't' ? '\t' : text[i] == 'a' ? '\a' : text[i]);
        }
    }
    return bytes;
}

// The current row's text columns, in the order named:
//     const auto [todo, output] = fields("todo", "output");
template <typename... Names>
std::array<QString, sizeof...(Names)> fields(Names... names)
{
    return {*static_cast<const QString *>(QTest::qData(names, qMetaTypeId<QString>()))...};
}

// The number of the AppError that call raises; 0 when it raises none.
template <typename Call>
int errorNumber(Call call)
{
    try {
        call();
    } catch (const AppError &error) {
        return error.number();
    }
    return 0;
}
