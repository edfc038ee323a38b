#pragma once

#include <QList>
#include <QString>

// The printf directives of a string, where gettext never breaks a line ("%-5s" stays
// whole). Like gettext's format parsers, the scan stops at the first faulty directive:
// neither it nor any later one is kept whole.
namespace PoFormatDirectives {

enum class Syntax { None, C, ObjectiveC, Python };

// For each UTF-16 unit, whether it lies inside a directive after its percent sign.
// Translations may use glibc's "I" flag, source strings may not.
QList<bool> interiors(QStringView text, Syntax syntax, bool translation);

}
