#pragma once

#include <QString>

class cInifile;

// The length-limit box in an INI file, the same for the processing options and the
// export settings. The box text is passed in and comes back as the box shows it.
namespace LengthLimitSetting {
// A non-numeric text writes "50" and keeps the box; otherwise the validated box text
// is written (a value below 1 makes it "50", one above 999999999 "999999999").
void save(cInifile &ini, const QString &key, QString &box);
// The box takes the stored text; a non-numeric or below-1 value is repaired to "50"
// in the box and in the file, one above 999999999 shows "999999999".
void load(cInifile &ini, const QString &key, QString &box);
}
