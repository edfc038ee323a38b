#pragma once

#include "TextFile.h"

#include <QList>
#include <QString>

#include <optional>

// Scans a text file record by record: a begin event, one record event per line in
// file order, an end event, all before start() returns. Fields are split at the
// separator on demand; a field beyond fieldCount() reads as empty.
class LineScanner {
public:
    class Handler {
    public:
        virtual ~Handler() = default;
        virtual void scanBegin(LineScanner &) {}
        virtual void scanRecord(LineScanner &scanner) = 0;
        virtual void scanEnd(LineScanner &) {}
    };

    void setFileName(const QString &path) { m_fileName = path; }
    void setFieldSeparator(const QString &separator) { m_separator = separator; }
    // Work files are read in their known encoding and line end; dictionaries by the
    // encoding rule.
    void setEncoding(std::optional<TextEncoding> encoding, LineEnd lineEnd = LineEnd::CrLf)
    {
        m_encoding = encoding;
        m_lineEnd = lineEnd;
    }
    // Runs the whole scan; a missing or unreadable file raises its error to the caller.
    void start(Handler &handler);

    int fieldCount() const;
    int percentDone() const;
    // Index 0 is the whole record, 1 and up the fields.
    QString field(int index) const;
    QStringView fieldView(int index) const;

private:
    void split() const;

    QString m_fileName;
    QString m_separator = QStringLiteral("\t");
    std::optional<TextEncoding> m_encoding;
    LineEnd m_lineEnd = LineEnd::CrLf;
    TextFileReader *m_reader = nullptr;
    QString m_record;
    mutable QList<QStringView> m_fields;
    mutable bool m_split = false;
};
