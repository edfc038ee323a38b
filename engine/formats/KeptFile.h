#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// What a catalogue says about an entry beyond its texts, shown beside it and never edited.
struct EntryNotes {
    std::optional<QString> context;
    // The translator's own comments.
    QStringList comments;
    // The developers' comments for translators.
    QStringList extractedComments;
    // Where the text is used: "src/main.c:12".
    QStringList references;
    bool plural = false;
    // The untranslated plural text of a plural entry; a Qt numerus message has none.
    QString pluralSource;
    // The format languages of its printf-like directives: "c-format", "no-python-format".
    QStringList formatFlags;

    bool isEmpty() const
    {
        return !context && comments.isEmpty() && extractedComments.isEmpty() && references.isEmpty() && !plural
            && formatFlags.isEmpty();
    }
};

// What a document keeps of the file it was read from, from open to save: nothing for the
// formats whose files are written whole from the entries' fields; a catalogue keeps
// itself, so that a save changes only the entries that changed and keeps the rest of the
// file. The document knows its entries by their numbers.
class KeptFile {
public:
    virtual ~KeptFile() = default;
    // Empty notes for a number of no entry.
    virtual EntryNotes notes(QStringView number) const = 0;
    // The format flags of its notes, which a file may find more cheaply than all of them.
    virtual QStringList formatFlags(QStringView number) const { return notes(number).formatFlags; }
};
