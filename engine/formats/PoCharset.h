#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QStringDecoder;
class QStringEncoder;

// The character set a PO file's header declares, as gettext's tools treat it: the
// name is matched without regard to case against the names gettext knows, so that
// "utf-8" and "UTF-8" are one set; "CHARSET" (the placeholder of templates) and a
// file without a header read as UTF-8.
class PoCharset {
public:
    // How the lexer steps over the bytes of a character.
    enum class Lead { Single, Pairs, ShiftJis };
    // Which second bytes a double-byte set allows beyond what its converter checks.
    enum class Trail { Any, Gb2312, Gbk, Big5 };

    PoCharset();
    // Empty when the platform cannot convert the set.
    static std::optional<PoCharset> fromName(const QByteArray &declared);

    const QByteArray &name() const { return m_name; }
    bool isUtf8() const { return m_utf8; }
    // In the old double-byte sets of China, Japan and Korea every character beyond
    // ASCII takes two columns, as the terminals of those sets show it.
    bool hasWideCharacters() const { return m_wideCharacters; }

    // Whether a character's second byte may be an ASCII byte (a backslash or a quote
    // that is none), as in GBK, GB18030, Big5 and Shift_JIS.
    bool hasAsciiTrailBytes() const { return m_lead != Lead::Single; }
    // How many bytes the character that starts here takes.
    qsizetype characterLength(const char *at, const char *end) const;

    // The text of the bytes; `valid` turns false when they are not text in this set.
    QString decode(QByteArrayView bytes, bool *valid = nullptr) const;
    // Null when the text holds a character this set cannot write.
    std::optional<QByteArray> encode(QStringView text) const;

private:
    bool hasWellFormedPairs(QByteArrayView bytes) const;

    QByteArray m_name;
    bool m_utf8 = true;
    bool m_wideCharacters = false;
    Lead m_lead = Lead::Single;
    Trail m_trail = Trail::Any;
    // Stateless converters, shared by the copies: each call starts afresh.
    std::shared_ptr<QStringDecoder> m_decoder;
    std::shared_ptr<QStringEncoder> m_encoder;
};
