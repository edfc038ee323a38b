#pragma once

#include "DictionaryEntry.h"
#include "formats/KeptFile.h"

#include <QHash>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

struct DictionaryFormat;

// Holds texts back to back in large blocks, so that a million entries cost a few dozen
// allocations instead of millions. Texts are never freed one by one: a replaced text
// stays in its block until the whole arena goes.
class TextArena {
public:
    struct Ref {
        quint32 block = 0;
        quint32 offset = 0;
        quint32 length = 0;
    };

    Ref store(QStringView text);
    QStringView view(Ref ref) const
    {
        if (ref.length == 0)
            return QStringView();
        return QStringView(m_blocks[ref.block].get() + ref.offset, static_cast<qsizetype>(ref.length));
    }

private:
    static constexpr quint32 BlockSize = 1u << 20;
    std::vector<std::unique_ptr<char16_t[]>> m_blocks;
    // The block that takes new texts, and how much of it is used.
    quint32 m_open = 0;
    quint32 m_used = BlockSize;
};

// An entry's status and translation as the document stores them: all that an undo step
// keeps of an entry it changed.
struct EntryState {
    quint32 entry = 0;
    quint32 status = 0;
    TextArena::Ref translation;
};

// The entries of the open dictionary in one contiguous array, in the order they were
// read: an entry's index stays its own for the document's life, whatever the display.
// Statuses and outline texts repeat endlessly, so each entry holds only the index of a
// shared label text; numbers are parsed once, when an entry is added.
class DictionaryDocument {
public:
    DictionaryDocument();

    qsizetype size() const { return static_cast<qsizetype>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    void append(const DictionaryEntry &entry, const QString &outline = QString());

    const QString &status(qsizetype i) const { return m_labels[m_entries[i].status]; }
    const QString &outline(qsizetype i) const { return m_labels[m_entries[i].outline]; }
    QStringView number(qsizetype i) const { return m_text.view(m_entries[i].number); }
    QStringView source(qsizetype i) const { return m_text.view(m_entries[i].source); }
    QStringView translation(qsizetype i) const { return m_text.view(m_entries[i].translation); }
    // The entry's texts point into the document: use it before the document changes.
    DictionaryEntry entryView(qsizetype i) const;
    // The entry as the dictionary formats hold it: an untranslated one has its source as
    // translation. Its texts point into the document, as entryView's.
    DictionaryEntry dictionaryEntry(qsizetype i) const;

    // The format the entries were read from, and what the document keeps of the file
    // until it is saved (nothing for the dictionary formats).
    void keepFile(const DictionaryFormat &format, std::unique_ptr<KeptFile> file);
    const DictionaryFormat *readFormat() const { return m_format; }
    const KeptFile *keptFile() const { return m_file.get(); }
    // Untranslated entries have an empty translation (a catalogue's), not their source.
    bool untranslatedIsEmpty() const;
    // What the file says of the entry beyond its texts; nothing for a dictionary.
    EntryNotes notes(qsizetype i) const;
    // The format flags of a PO entry ("c-format"); empty for the other formats.
    QStringList formatFlags(qsizetype i) const;

    // While the document is read, before any undo step can refer to it; true when the
    // status changed.
    bool setStatus(qsizetype i, const QString &status);
    // The entry's state with this status and translation, the translation stored among
    // the document's texts; nothing when that is the entry's state already. Where an
    // untranslated entry has an empty translation, an entry without one is untranslated and
    // one with a translation is not (a 不译 entry stays 不译): 未译 with a text becomes 复查.
    std::optional<EntryState> stateWith(quint32 entry, const QString &status, QStringView translation);
    // Puts the state in and leaves the one it replaced in its place.
    void exchange(EntryState &state);

    // How many entries have this status; kept as entries are added and changed.
    qsizetype statusCount(const QString &status) const;

    // A non-numeric number sorts after every numeric one.
    double numberKey(qsizetype i) const { return m_entries[i].numberKey; }
    quint32 statusLabel(qsizetype i) const { return m_entries[i].status; }
    const QString &label(quint32 id) const { return m_labels[id]; }

    // Entry indices ordered by number, numerically, equal numbers in document order.
    // Numbers never change, so the order is worked out once after entries were added:
    // that first call must come before other threads read the document.
    const std::vector<quint32> &orderByNumber() const;
    // Entry indices ordered by status text (in the code page's order), then by number,
    // equal keys in document order.
    std::vector<quint32> orderByStatusAndNumber() const;

private:
    struct Entry {
        TextArena::Ref number;
        TextArena::Ref source;
        TextArena::Ref translation;
        quint32 status;
        quint32 outline;
        double numberKey;
    };

    quint32 labelId(const QString &text);
    void countStatus(quint32 label, qsizetype change);

    std::vector<Entry> m_entries;
    const DictionaryFormat *m_format = nullptr;
    std::unique_ptr<KeptFile> m_file;
    mutable std::optional<std::vector<quint32>> m_numberOrder;
    TextArena m_text;
    QStringList m_labels;
    QHash<QString, quint32> m_labelIds;
    // Entries per label id, as a status.
    std::vector<qsizetype> m_statusCounts;
};
