#pragma once

#include "PoCharset.h"
#include "PoReader.h"

// Writes an entry as msgcat and msgmerge write it: comments in gettext's order
// (translator, extracted, references filled to 79 columns, flags, previous strings),
// then the strings, each split after "\n" and wrapped at 79 columns where the Unicode
// line-breaking rules allow, with an empty first line when a string needs more than
// one. A no-wrap flag keeps each "\n"-ended piece on one line.
class PoLayout {
public:
    explicit PoLayout(const PoCharset &charset) : m_charset(charset) {}

    // The lines of a message that is not obsolete, each ended by "\n".
    QString message(const PoRecord &record, const PoNotes &notes) const;

    static constexpr int PageWidth = 79;

private:
    void appendString(QString &out, QStringView keyword, QStringView value, const PoFlags &flags,
                      QStringView prefix = QStringView()) const;

    PoCharset m_charset;
};
