#pragma once

#include <QList>
#include <QString>

// Where gettext breaks the line of a string that is too wide: at the opportunities of
// the Unicode line-breaking rules, filling each line as far as the width allows.
namespace PoLineBreaks {

// The columns a character takes on a terminal; characters of East Asian scripts take
// two, and in the old double-byte sets (wideSet) every character beyond ASCII does.
int columnWidth(char32_t character, bool wideSet);

// For each UTF-16 unit of the text, whether a new line starts before it. No line starts
// before a unit that `prohibited` marks. The first line starts at startColumn; each
// line holds at most `width` columns where the text allows it.
QList<bool> breaks(QStringView text, const QList<bool> &prohibited, int startColumn, int width, bool wideSet);

}
