#pragma once

#include "PoFormatDirectives.h"

#include <QString>
#include <QStringList>

#include <array>

// The flags of a PO entry's "#," lines as gettext keeps them: fuzzy, one state per
// format language ("c-format", "no-c-format"), an argument range and the wrapping
// wish. A later word wins over an earlier one; words gettext does not know are dropped
// when the entry is written again, as msgcat drops them.
class PoFlags {
public:
    // Reads the words of one "#," line (the text after "#,").
    void read(QStringView words);

    bool isFuzzy() const { return m_fuzzy; }
    void setFuzzy(bool fuzzy) { m_fuzzy = fuzzy; }
    bool isNoWrap() const { return m_wrap == Wrap::No; }
    // The directives that decide where gettext may not break a line: those of the first
    // language the entry's strings may be written in.
    PoFormatDirectives::Syntax directiveSyntax() const;
    // The format words, in gettext's order: "c-format", "no-python-format".
    QStringList formats() const;
    // The "#," line gettext writes (without its line end), or empty when it writes none.
    // gettext leaves fuzzy out when the first translation is empty.
    QString line(bool showFuzzy) const;

    static constexpr int LanguageCount = 30;

private:
    enum class Format : unsigned char { Undecided, Yes, No, Possible, Impossible };
    enum class Wrap : unsigned char { Undecided, Yes, No };

    void readFormat(QStringView word);
    QString formatWord(int language) const;

    bool m_fuzzy = false;
    std::array<Format, LanguageCount> m_formats{};
    int m_rangeMin = -1;
    int m_rangeMax = -1;
    Wrap m_wrap = Wrap::Undecided;
};
