#pragma once

#include "TsLayout.h"
#include "TsMessage.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

// A Qt TS catalogue, read and written as Qt 6's lupdate does (version 2.1; 1.1 and 2.0
// files read the same), UTF-8 only.
//
// Writing gives back the bytes read, except for the messages changed through this
// class: each of those is laid out anew as lupdate lays it out, so a version-control
// diff shows only what was edited. Attributes and elements that lupdate's layout has no
// place for (userdata, unknown elements and attributes) stay in a changed message as they
// were; XML comments inside it go, as lupdate drops them.
//
// Entries and statuses. Vanished and obsolete messages are kept but are no entries: they
// have no status and are not changed. For the others:
//   不译  the translator comment's first line is "不译" (whatever the type);
//   已译  the translation is finished (no type attribute);
//   复查  unfinished with a translation;
//   未译  unfinished with every translation empty.
// The 不译 mark lives in the translator comment because that is what survives Qt's own
// tools: lupdate keeps a message's translator comment but replaces its <extra-*>
// elements by those of the sources, lconvert turns the comment into a PO translator
// comment and back, lrelease ignores it, and Qt Linguist shows it to the translator.
class TsCatalogue {
public:
    // The error number of a malformed TS file (invalid XML, an unknown version, a numerus
    // translation outside <numerusform>, not a TS file, not UTF-8).
    static constexpr int MalformedError = 1003;
    static inline const QString NotToTranslateMark = QStringLiteral("不译");
    // Qt marks access keys with "&" ("&Open"); "&&" is a literal ampersand.
    static constexpr QChar AccessKeyMarker = u'&';

    // A missing file raises error 53, an unreadable one 75, a malformed one MalformedError
    // with the file name and line.
    static TsCatalogue read(const QString &path);
    static TsCatalogue read(const QByteArray &bytes, const QString &fileName);

    const QString &version() const { return m_version; }
    const QString &language() const { return m_language; }
    const QString &sourceLanguage() const { return m_sourceLanguage; }
    const QString &doctype() const { return m_doctype; }
    const QList<TsExtra> &extras() const { return m_extras; }
    const QList<TsContext> &contexts() const { return m_contexts; }

    qsizetype messageCount() const { return m_messages.size(); }
    const TsMessage &message(qsizetype index) const { return m_messages[index]; }
    const QString &contextName(qsizetype index) const { return m_contexts[message(index).context].name; }
    bool isEntry(qsizetype index) const;

    // An EntryStatus text; empty for a message that is no entry.
    QString status(qsizetype index) const;
    // 未译 also empties the translations, 不译 also finishes the message; a text that is
    // no status raises error 380. The setters raise error 5 for a message that is no entry.
    void setStatus(qsizetype index, const QString &status);
    // A numerus message gets the text in each of its forms; one without forms yet gets
    // as many as the file's language has.
    void setTranslation(qsizetype index, const QString &text);
    void setFinished(qsizetype index, bool finished);
    // The numerus forms lupdate gives the file's language: one for Chinese.
    int numerusFormCount() const;

    // UTF-8. A failing device raises error 75; a path is replaced only once the whole
    // file is written, else error 61 or 75.
    void write(QIODevice &device) const;
    void write(const QString &path) const;

private:
    friend class TsReader;

    // The message if it is an entry; error 5 otherwise.
    const TsMessage &entry(qsizetype index) const;
    // Marks the message changed only where a value differs.
    void update(qsizetype index, QStringList translations, TsType type, QString translatorComment);

    QByteArray m_bytes;
    QByteArray m_lineEnd = "\n";
    QString m_version;
    QString m_language;
    QString m_sourceLanguage;
    QString m_doctype;
    QList<TsExtra> m_extras;
    QList<TsContext> m_contexts;
    QList<TsMessage> m_messages;
    QList<TsMessagePlace> m_places;
};
