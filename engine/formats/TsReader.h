#pragma once

#include "TsMessage.h"

#include <QBuffer>
#include <QHash>
#include <QXmlStreamReader>

class TsCatalogue;
struct TsMessagePlace;
struct TsSpan;

// lupdate's relative locations: a location without a file name is in the file named
// before, and a signed line counts on from the last line given for that file.
class TsLocationResolver {
public:
    void startMessage();
    TsLocation resolve(QStringView fileName, QStringView line);

private:
    QString m_currentFile;
    QString m_messageFile;
    bool m_firstOfMessage = true;
    QHash<QString, int> m_lines;
};

// QXmlStreamReader counts its offsets in UTF-16 units after any byte-order mark; the
// catalogue keeps spans of the UTF-8 bytes. Offsets must be asked for in rising order.
class Utf8Offsets {
public:
    explicit Utf8Offsets(const QByteArray &bytes);
    qint64 byteAt(qint64 unit);

private:
    const QByteArray &m_bytes;
    qint64 m_byte;
    qint64 m_unit = 0;
};

// Fills a catalogue from its bytes; any fault raises TsCatalogue::MalformedError with
// the file name and line.
class TsReader {
public:
    TsReader(TsCatalogue &catalogue, const QString &fileName);
    void read();

private:
    QXmlStreamReader::TokenType next();
    void readRoot();
    void readContext();
    void readMessage(int context);
    void readTranslation(TsMessage &message, TsMessagePlace &place);
    QStringList readNumerusForms();
    QString readTranslationText();
    QString readContents();
    TsExtra readExtra();
    TsSpan skipElement();
    qint64 tokenEnd();
    qint64 tagStart();
    void checkBytes() const;
    void checkDeclaredEncoding() const;
    // Fails where the bytes are not UTF-8; returns where they are.
    void failEncoding() const;
    [[noreturn]] void failXml() const;
    [[noreturn]] void fail(qint64 line, const QString &detail) const;
    [[noreturn]] void fail(const QString &detail) const;

    TsCatalogue &m_catalogue;
    QString m_fileName;
    // Read through a device: the reader then decodes piece by piece instead of the whole file at once.
    QBuffer m_device;
    QXmlStreamReader m_xml;
    Utf8Offsets m_offsets;
    TsLocationResolver m_locations;
    bool m_inRoot = false;
};
