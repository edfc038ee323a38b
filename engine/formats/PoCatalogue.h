#pragma once

#include "PoCharset.h"
#include "PoMessage.h"
#include "PoReader.h"

#include <QByteArray>
#include <QString>

#include <map>

class QIODevice;

// A gettext PO or POT catalogue, read as gettext's tools read it and written back so
// that only what was changed differs: the file's bytes are kept in one buffer, and an
// entry that was not changed is written from them as it was (line ends, wrapping,
// comment order, blank lines and trailing blanks included). A changed entry is written
// as msgcat would write it, in the line ends of its old lines.
//
// Messages are counted from 0 in file order without the header entry; obsolete entries
// ("#~") are counted and kept but cannot be changed, and neither is the header apart
// from its fields. A UTF-8 byte-order mark, which gettext's tools refuse, is kept.
//
// Statuses: an entry whose translations are all empty is 未译, a fuzzy one 复查, any
// other 已译. An entry is 不译 when a translator comment line reads
// "no-translate" ("# no-translate"): gettext's tools keep translator comments (msgmerge
// carries them to the new catalogue) and msgfmt ignores them, so the mark survives
// saving, reopening and the project's own tools. The mark comes before the other rules.
//
// Errors are AppErrors: 1002 for a file gettext rejects (see PoReader), 53 and 75 for a
// file that cannot be opened, 61 and 75 for a failed write, 380 for a translation the
// file's charset cannot hold, 5 for changing an obsolete entry. Nothing is written
// when an error is raised.
class PoCatalogue {
public:
    static PoCatalogue fromFile(const QString &path);
    // The name is the one error messages give.
    static PoCatalogue fromBytes(QByteArray bytes, const QString &fileName);

    int count() const { return int(m_data.records.size()) - (m_data.header >= 0 ? 1 : 0); }
    // Everything of one message; its notes are read from the file's bytes on each call.
    PoMessage message(int index) const;
    // Its format flags ("c-format"), read without the rest of its notes.
    QStringList formatFlags(int index) const;
    const QString &msgid(int index) const { return record(index).msgid; }
    std::optional<QString> context(int index) const;
    std::optional<QString> msgidPlural(int index) const;
    // msgstr, or msgstr[0] of a plural entry.
    const QString &translation(int index) const { return record(index).translation; }
    // msgstr, or msgstr[0], msgstr[1], ... of a plural entry.
    QStringList translations(int index) const { return record(index).forms(); }
    bool isObsolete(int index) const { return record(index).has(PoRecord::Obsolete); }
    bool isFuzzy(int index) const { return record(index).has(PoRecord::Fuzzy); }
    int line(int index) const { return record(index).line; }

    QString status(int index) const;
    // 未译 empties the translations; 不译, 已译 and 未译 drop the fuzzy flag and with it
    // the previous strings; 复查 sets it.
    void setStatus(int index, const QString &status);
    // Every form a plural entry has: as many as the header's nplurals, or as many as the
    // entry has when the header names no number.
    void setTranslation(int index, const QString &text);
    // Clearing the flag also drops the "#|" previous strings, as translation editors do.
    void setFuzzy(int index, bool fuzzy);
    void addTranslatorComment(int index, const QString &comment);
    // Drops every translator comment line with this text.
    void removeTranslatorComment(int index, const QString &comment);

    bool hasHeader() const { return m_data.header >= 0; }
    // The value of a "Name: value" line of the header; empty when there is none.
    QString headerField(const QString &name) const;
    // Replaces the field's value or adds the field at the end of the header. A new
    // charset applies to the whole file when it is written.
    void setHeaderField(const QString &name, const QString &value);
    // A template's placeholder ("charset=CHARSET") becomes UTF-8, the charset such a file
    // is read and written in, so that the translations written into it are declared:
    // gettext's tools take the placeholder for ASCII and garble them.
    void declareTemplateCharset();
    // From Plural-Forms; 0 when the header names no number ("nplurals=INTEGER").
    int pluralCount() const { return m_data.pluralCount; }
    // The charset the file is written in, as gettext names it ("UTF-8", "GB2312"); a
    // file without one (or with the template's "CHARSET") is UTF-8.
    const QByteArray &charset() const { return m_charset.name(); }

    bool isModified() const { return !m_changed.empty(); }
    void write(QIODevice &device) const;
    // Through a temporary file that replaces the target only when it was written whole.
    void save(const QString &path) const;

private:
    PoCatalogue(QByteArray bytes, const QString &fileName);

    int recordIndex(int index) const;
    const PoRecord &record(int index) const { return m_data.records[recordIndex(index)]; }
    PoNotes notesOf(int recordIndex) const;
    // The notes of a message that is about to change.
    PoNotes &change(int index);
    void syncBits(int recordIndex);
    QByteArray layOut(int recordIndex, const PoNotes &notes) const;
    // The bytes in the charset to write in.
    QByteArray converted(QByteArrayView bytes) const;

    QByteArray m_bytes;
    PoReader::Catalogue m_data;
    // The charset to write in: the one read unless the header's field was changed.
    PoCharset m_charset;
    // The notes of every changed entry, by record.
    std::map<int, PoNotes> m_changed;
};
