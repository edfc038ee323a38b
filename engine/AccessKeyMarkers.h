#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// An access key is marked by one character before its letter: "&" in Qt, KDE and
// Windows resources, "_" in GTK and GNOME, "~" in LibreOffice. The marker written
// twice stands for the plain character; any other marker character is plain text.
namespace AccessKeyMarkers {

inline constexpr QChar Ampersand = u'&';

// The same text written for the marker `to` instead of `from`: a lone `from` becomes
// `to`, a doubled `from` the plain character, and a plain `to` is doubled. Pairs are
// read from the left, so "&&&X" is a plain "&" and the key X.
QString rewrite(const QString &text, QChar from, QChar to);
// The same, appended to `out`.
void appendRewritten(QString &out, QStringView text, QChar from, QChar to);

}
