#pragma once

#include "PoCharset.h"
#include "PoMessage.h"

#include <QByteArrayView>

#include <memory>
#include <vector>

// One entry of a PO file as a catalogue keeps it: where its bytes lie in the file and
// its decoded strings. Its comments stay in the file's bytes until they are asked for.
struct PoRecord {
    enum Bit : quint8 {
        HasContext = 1,
        Plural = 2,
        Fuzzy = 4,
        Obsolete = 8,
        NotToTranslate = 16,
        Header = 32,
    };

    // What few entries have, kept apart so that the others take less room.
    struct Rare {
        QString context;
        QString msgidPlural;
        // The forms after msgstr[0].
        QStringList laterForms;
    };

    // From the start of its first comment or keyword line to past its last line end.
    qsizetype begin = 0;
    qsizetype end = 0;
    int line = 0;
    quint8 bits = 0;
    QString msgid;
    // msgstr or msgstr[0].
    QString translation;
    std::unique_ptr<Rare> rare;

    PoRecord() = default;
    // A copy has rare parts of its own.
    PoRecord(const PoRecord &other)
        : begin(other.begin), end(other.end), line(other.line), bits(other.bits), msgid(other.msgid),
          translation(other.translation), rare(other.rare ? std::make_unique<Rare>(*other.rare) : nullptr)
    {
    }
    PoRecord &operator=(const PoRecord &other)
    {
        if (this != &other)
            *this = PoRecord(other);
        return *this;
    }
    PoRecord(PoRecord &&) = default;
    PoRecord &operator=(PoRecord &&) = default;

    bool has(Bit bit) const { return bits & bit; }
    void set(Bit bit, bool on) { bits = on ? quint8(bits | bit) : quint8(bits & ~bit); }
    Rare &rareParts()
    {
        if (!rare)
            rare = std::make_unique<Rare>();
        return *rare;
    }
    QString context() const { return rare ? rare->context : QString(); }
    QString msgidPlural() const { return rare ? rare->msgidPlural : QString(); }
    QStringList laterForms() const { return rare ? rare->laterForms : QStringList(); }
    qsizetype formCount() const { return has(Plural) ? 1 + laterForms().size() : 1; }
    QStringList forms() const { return QStringList{translation} + laterForms(); }
    void setForms(qsizetype count, const QString &text)
    {
        translation = text;
        if (count > 1 || rare)
            rareParts().laterForms = QStringList(count - 1, text);
    }
};

// The translator comment that keeps an entry's status 不译 in the file; msgmerge and
// msgcat keep translator comments, and msgfmt ignores them.
inline const QString PoNotToTranslateComment = QStringLiteral("no-translate");

// Reads PO and POT files as gettext's tools do.
namespace PoReader {

struct Catalogue {
    std::vector<PoRecord> records;
    // The record of the header entry (msgid "" without context), -1 when there is none.
    int header = -1;
    PoCharset charset;
    // From the header's Plural-Forms; 0 when it names no number.
    int pluralCount = 0;
};

// Raises error 1002 with the file name and line for input gettext rejects: an
// unterminated string, a bad escape, a plural form the header does not allow or not
// counted from 0, a msgid_plural without msgstr[N], bytes outside the declared
// charset, an unknown charset, anything that is not PO.
Catalogue read(QByteArrayView bytes, const QString &fileName);

// From the header entry's text: the value of "charset=" (empty when there is none)
// and the number after "nplurals=" (0 when there is none).
QByteArray charsetName(QByteArrayView header);
int pluralCount(QByteArrayView header);

// The notes of one entry that read() accepted: its bytes from begin to end.
PoNotes readNotes(QByteArrayView entry, const PoCharset &charset);
// Its "#," flags alone, for what needs no other note.
PoFlags readFlags(QByteArrayView entry, const PoCharset &charset);

constexpr int MalformedError = 1002;

}
