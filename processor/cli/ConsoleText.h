#pragma once

#include <QString>
#include <QStringList>

// A name as the console shows it: the backslash and every character that is not
// printable (ESC, CR, LF, TAB, ...) written as an escape ("\\", "\n", "\x1b"), so
// that no file name can start a line of its own or reach the terminal as a command.
QString shownName(const QString &name);

// A message for the console that may hold the given names (an error of the engine
// with the paths of the job): the names as shownName() writes them, every other
// unprintable character escaped too, except the message's own line breaks, which
// become plain LF.
QString consoleText(const QString &text, const QStringList &names);

// A text that must stay on one line of the console: every unprintable character
// escaped, line breaks included; backslashes stand as they are.
QString lineText(QStringView text);
