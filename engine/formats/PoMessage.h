#pragma once

#include "PoFlags.h"

#include <QString>
#include <QStringList>

#include <optional>

// The untranslated strings an entry had when its translation was last made; msgmerge
// writes them as "#|" lines beside a fuzzy translation.
struct PoPrevious {
    std::optional<QString> context;
    std::optional<QString> msgid;
    std::optional<QString> msgidPlural;

    bool isEmpty() const { return !context && !msgid && !msgidPlural; }
};

// Everything of an entry but its strings, as gettext reads it: comment texts without
// their "# " or "#. ", references as "file:line" words.
struct PoNotes {
    QStringList translatorComments;
    QStringList extractedComments;
    QStringList references;
    PoFlags flags;
    PoPrevious previous;
};

// One message of a catalogue as the job and the editor see it.
struct PoMessage {
    int index = -1;
    // The line of its msgid as the file was read.
    int line = 0;
    bool obsolete = false;
    std::optional<QString> context;
    QString msgid;
    std::optional<QString> msgidPlural;
    // msgstr, or msgstr[0], msgstr[1], ... of a plural entry.
    QStringList translations;
    PoNotes notes;
};
