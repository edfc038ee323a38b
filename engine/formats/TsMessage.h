#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The parts of a Qt TS catalogue (version 2.1, as lupdate writes it) that the job and
// the editor work with. Texts are as Qt's tools read them: entities and <byte value>
// elements resolved, length variants joined by U+009C.

enum class TsType { Finished, Unfinished, Vanished, Obsolete };

// Where a message comes from. Relative locations ("+3", a missing file name) are
// resolved as lupdate writes them; a location without a line has line -1.
struct TsLocation {
    QString fileName;
    int line = -1;
    bool operator==(const TsLocation &) const = default;
};

// An <extra-NAME> element; the name is given without "extra-".
struct TsExtra {
    QString name;
    QString value;
    bool operator==(const TsExtra &) const = default;
};

struct TsContext {
    QString name;
    QString comment;
};

struct TsMessage {
    int context = 0;
    QString id;
    QString source;
    QString oldSource;
    // The disambiguating comment (gettext's msgctxt), the previous one after a merge,
    // the developer's comment for translators and the translator's own comment.
    QString comment;
    QString oldComment;
    QString extraComment;
    QString translatorComment;
    QList<TsLocation> locations;
    bool numerus = false;
    // One text, or one per numerus form in the file's order.
    QStringList translations;
    TsType type = TsType::Finished;
    QList<TsExtra> extras;
    // The line of the message's start tag in the file read.
    qint64 line = 0;
};
