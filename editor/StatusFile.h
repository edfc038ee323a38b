#pragma once

#include <QString>

#include <optional>

class DictionaryDocument;
class QWidget;

// The table text a save writes beside a two-line text or a glossary: the one place
// where the statuses those formats cannot hold ("不译", "复查") are kept. It belongs to
// the document only while it holds the same entries (numbers and sources, in number
// order), and only then is it read at open or replaced without a question at save.
class StatusFile {
public:
    // After the document was read from the path: takes the statuses of a status file
    // that holds its entries. An entry whose translation differs from the status file's
    // keeps the status its own texts give, since the status file's is older.
    void documentRead(const QString &documentPath, DictionaryDocument &document);
    // Before a save to the path: true when the save may go on. A status file that is
    // not known to hold the document's entries is replaced only when the user agrees,
    // and is then first moved aside under a free name.
    bool confirmReplace(const QString &documentPath, const DictionaryDocument &document, QWidget *messageParent);
    // After a save to the path: the status file written is known to hold the entries.
    void documentSaved(const QString &documentPath);

    // The status file of a document at the path; empty for a table text, whose
    // companion holds no statuses.
    static QString pathFor(const QString &documentPath);

private:
    // Enough to tell whether a file was replaced or rewritten since it was last seen.
    struct Stamp {
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        bool operator==(const Stamp &) const = default;
    };

    static std::optional<Stamp> stampOf(const QString &path);
    void remember(const QString &statusPath);

    QString m_knownPath;
    std::optional<Stamp> m_known;
};
