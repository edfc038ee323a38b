#pragma once

#include <QString>

// The Windows language identifiers a glossary's language line names, "primary sub" in
// decimal ("9 1" US English, "4 2" Simplified Chinese). The known ones are read from
// "POLOLID.ini", which this writes into the program folder first.
//
// When both pieces are known identifiers the pair becomes first, tab, second;
// otherwise it is left as it was.
void recogniseLanguagePair(const QString &first, const QString &second, QString &languagePair);
