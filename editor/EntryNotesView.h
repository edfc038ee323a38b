#pragma once

#include "formats/KeptFile.h"

#include <QLabel>

// What a catalogue says of the edit pane's entry, read-only: its context, the plural
// text of a plural entry, the translator's and the developers' comments, where the text
// is used and its format flags. Hidden for an entry without notes, as every entry of a
// dictionary is.
class EntryNotesView : public QLabel {
    Q_OBJECT

public:
    explicit EntryNotesView(QWidget *parent = nullptr);

    void showNotes(const EntryNotes &notes);
    // One line per kind of note: "上下文: menu".
    static QString text(const EntryNotes &notes);
};
