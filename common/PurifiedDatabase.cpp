#include "PurifiedDatabase.h"

#include "ErrorReport.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

const QByteArray Sqlite3Magic("SQLite format 3\0", 16);
const QByteArray Sqlite2Magic("** This file contains an SQLite 2.1 database **");
constexpr char TableSql[] = "CREATE TABLE R(r1 TEXT,r2 TEXT)";

constexpr qsizetype FileHeaderSize = 100;
constexpr unsigned char LeafTablePage = 0x0D;
constexpr qsizetype LeafHeaderSize = 8;
// The schema's columns: type, name, tbl_name, rootpage, sql.
constexpr int TypeColumn = 0;
constexpr int SqlColumn = 4;

enum class SchemaEncoding { Utf8 = 1, Utf16Le = 2, Utf16Be = 3 };

std::optional<quint64> readBigEndian(QByteArrayView bytes, qsizetype at, int size)
{
    if (at < 0 || at + size > bytes.size())
        return std::nullopt;
    quint64 value = 0;
    for (int k = 0; k < size; ++k)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + k]);
    return value;
}

struct Varint {
    quint64 value = 0;
    qsizetype length = 0;
};

// Page 1 of the file with bounds-checked reads; every read past its end gives nothing.
class SchemaPage {
public:
    SchemaPage(QByteArray bytes, qsizetype usableSize)
        : m_bytes(std::move(bytes)), m_end(std::min(usableSize, m_bytes.size()))
    {
    }

    std::optional<quint64> bigEndian(qsizetype at, int size) const
    {
        return readBigEndian(QByteArrayView(m_bytes).first(m_end), at, size);
    }

    std::optional<Varint> varint(qsizetype at, qsizetype limit) const
    {
        Varint result;
        limit = std::min(limit, m_end);
        for (int k = 0; k < 9; ++k) {
            if (at + k >= limit)
                return std::nullopt;
            const auto byte = static_cast<unsigned char>(m_bytes[at + k]);
            result.length = k + 1;
            if (k == 8) {
                result.value = (result.value << 8) | byte;
                break;
            }
            result.value = (result.value << 7) | (byte & 0x7F);
            if (!(byte & 0x80))
                break;
        }
        return result;
    }

    QByteArrayView slice(qsizetype at, qsizetype size) const { return QByteArrayView(m_bytes).sliced(at, size); }
    qsizetype end() const { return m_end; }

private:
    QByteArray m_bytes;
    qsizetype m_end;
};

std::optional<qsizetype> serialTypeSize(quint64 type)
{
    static constexpr qsizetype fixedSizes[] = {0, 1, 2, 3, 4, 6, 8, 8, 0, 0};
    if (type < std::size(fixedSizes))
        return fixedSizes[type];
    if (type < 12)
        return std::nullopt;
    return static_cast<qsizetype>((type - 12) / 2);
}

bool isTextType(quint64 type)
{
    return type >= 13 && type % 2 == 1;
}

QByteArray encoded(const char *ascii, SchemaEncoding encoding)
{
    const QByteArray text(ascii);
    if (encoding == SchemaEncoding::Utf8)
        return text;
    QByteArray wide;
    for (const char c : text) {
        if (encoding == SchemaEncoding::Utf16Be)
            wide.append('\0');
        wide.append(c);
        if (encoding == SchemaEncoding::Utf16Le)
            wide.append('\0');
    }
    return wide;
}

// The part of a cell's payload that is kept on the page itself (the rest overflows).
qsizetype localPayloadSize(quint64 payload, qsizetype usable)
{
    const quint64 maxLocal = usable - 35;
    if (payload <= maxLocal)
        return static_cast<qsizetype>(payload);
    const quint64 minLocal = (usable - 12) * 32 / 255 - 23;
    const quint64 spill = minLocal + (payload - minLocal) % (usable - 4);
    return static_cast<qsizetype>(spill <= maxLocal ? spill : minLocal);
}

// One row of the schema table as far as it lies on page 1.
class SchemaRow {
public:
    SchemaRow(const SchemaPage &page, qsizetype payloadAt, qsizetype localSize)
        : m_page(page), m_end(payloadAt + localSize)
    {
        if (m_end > page.end())
            return;
        const std::optional<Varint> headerSize = page.varint(payloadAt, m_end);
        if (!headerSize || headerSize->value > quint64(localSize))
            return;
        const qsizetype headerEnd = payloadAt + static_cast<qsizetype>(headerSize->value);
        qsizetype at = payloadAt + headerSize->length;
        while (at < headerEnd) {
            const std::optional<Varint> type = page.varint(at, headerEnd);
            if (!type)
                return;
            m_types.push_back(type->value);
            at += type->length;
        }
        m_dataStart = headerEnd;
        m_valid = true;
    }

    // The column's text bytes, or nothing when it is no text or lies off the page.
    std::optional<QByteArrayView> text(int column) const
    {
        if (!m_valid || column >= static_cast<int>(m_types.size()) || !isTextType(m_types[column]))
            return std::nullopt;
        qsizetype at = m_dataStart;
        for (int k = 0; k <= column; ++k) {
            const std::optional<qsizetype> size = serialTypeSize(m_types[k]);
            if (!size || *size > m_end - at)
                return std::nullopt;
            if (k == column)
                return m_page.slice(at, *size);
            at += *size;
        }
        return std::nullopt;
    }

private:
    const SchemaPage &m_page;
    qsizetype m_end;
    qsizetype m_dataStart = 0;
    std::vector<quint64> m_types;
    bool m_valid = false;
};

std::optional<qsizetype> pageSizeOf(const QByteArray &header)
{
    const quint64 stored = readBigEndian(header, 16, 2).value_or(0);
    const quint64 size = stored == 1 ? 65536 : stored;
    if (size < 512 || size > 65536 || (size & (size - 1)) != 0)
        return std::nullopt;
    return size;
}

std::optional<SchemaEncoding> textEncodingOf(const QByteArray &header)
{
    // An empty database has not fixed its encoding yet.
    switch (readBigEndian(header, 56, 4).value_or(0)) {
    case 0:
    case 1: return SchemaEncoding::Utf8;
    case 2: return SchemaEncoding::Utf16Le;
    case 3: return SchemaEncoding::Utf16Be;
    }
    return std::nullopt;
}

// The schema rows lie in key order on page 1; the first whose type is "table" decides.
bool firstTableIsReference(const SchemaPage &page, qsizetype usable, SchemaEncoding encoding)
{
    const std::optional<quint64> pageType = page.bigEndian(FileHeaderSize, 1);
    const std::optional<quint64> cellCount = page.bigEndian(FileHeaderSize + 3, 2);
    if (pageType != LeafTablePage || !cellCount)
        return false;
    const QByteArray table = encoded("table", encoding);
    for (quint64 cell = 0; cell < *cellCount; ++cell) {
        const std::optional<quint64> offset = page.bigEndian(FileHeaderSize + LeafHeaderSize + 2 * cell, 2);
        if (!offset)
            return false;
        const std::optional<Varint> payload = page.varint(*offset, page.end());
        const std::optional<Varint> rowid = payload ? page.varint(*offset + payload->length, page.end())
                                                    : std::nullopt;
        if (!rowid)
            return false;
        const SchemaRow row(page, *offset + payload->length + rowid->length,
                            localPayloadSize(payload->value, usable));
        const std::optional<QByteArrayView> type = row.text(TypeColumn);
        if (!type)
            return false;
        if (*type != table)
            continue;
        const std::optional<QByteArrayView> sql = row.text(SqlColumn);
        return sql && *sql == encoded(TableSql, encoding);
    }
    return false;
}

}

bool IsPurifiedDatabase(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(FileHeaderSize);
    if (header.size() < FileHeaderSize || !header.startsWith(Sqlite3Magic))
        return false;
    const std::optional<qsizetype> pageSize = pageSizeOf(header);
    const std::optional<SchemaEncoding> encoding = textEncodingOf(header);
    const qsizetype usable = pageSize ? *pageSize - static_cast<unsigned char>(header[20]) : 0;
    if (!encoding || usable < 480 || !file.seek(0))
        return false;
    const SchemaPage page(file.read(*pageSize), usable);
    return firstTableIsReference(page, usable, *encoding);
}

bool isLegacySqlite2Database(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(Sqlite2Magic.size()) == Sqlite2Magic;
}

void rejectLegacyDatabase(const QString &path)
{
    if (isLegacySqlite2Database(path))
        Errors::raiseText(QStringLiteral("“参照字典”是旧版 SQLite 2.1 数据库，sqlite3 无法打开它；"
                                         "请用原来的参照字典重新生成已净化的数据库"));
}
