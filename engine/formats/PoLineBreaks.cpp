#include "PoLineBreaks.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Line-breaking classes of the Unicode line-breaking rules, in the order of the pair
// table below; the classes after RI are resolved to one of those first.
enum Class : unsigned char {
    WJ, GL, B2, BA, BB, HY, CL, CP, EX, IN, NS, OP, QU, IS, NU, PO, PR, SY, AL, H2, H3, ID, JL, JV, JT, HL, RI,
    SP, ZW, CM, BK, AI,
    // An opening bracket of East Asian width, which may start a line after a letter or digit.
    WideOP,
};
constexpr int PairClasses = RI + 1;

// The pair table as gettext's line breaker has it: for a character of the row's class
// followed by one of the column's class, 'D' a break is allowed, 'I' only when spaces
// stand between them, 'P' never. It breaks between numeric punctuation and letters
// (IS before AL), so that "messages.po" may break after the dot, keeps letters together
// with the currency and percent signs around them and never breaks before an ellipsis.
constexpr std::array<const char *, PairClasses> PairTable{{
    /* WJ */ "PIIIIIPPPIIIIPIIIPIIIIIIIII",
    /* GL */ "PIIIIIPPPIIIIPIIIPIIIIIIIII",
    /* B2 */ "PIPIDIPPPIIDIPDDDPDDDDDDDDD",
    /* BA */ "PDDIDIPPPIIDIPDDDPDDDDDDDDD",
    /* BB */ "PIIIIIPPPIIIIPIIIPIIIIIIIII",
    /* HY */ "PDDIDIPPPIIDIPIDDPDDDDDDDDD",
    /* CL */ "PIDIDIPPPIPDIPDIIPDDDDDDDDD",
    /* CP */ "PIDIDIPPPIPDIPIIIPIDDDDDDID",
    /* EX */ "PIDIDIPPPIIDIPDDDPDDDDDDDDD",
    /* IN */ "PIDIDIPPPIIDIPDDDPDDDDDDDDD",
    /* NS */ "PIDIDIPPPIIDIPDDDPDDDDDDDDD",
    /* OP */ "PPPPPPPPPPPPPPPPPPPPPPPPPPP",
    /* QU */ "PIIIIIPPPIIPIPIIIPIIIIIIIII",
    /* IS */ "PIDIDIPPPIIDIPIDDPDDDDDDDDD",
    /* NU */ "PIDIDIPPPIIIIPIIIPIDDDDDDID",
    /* PO */ "PIDIDIPPPIIIIPIDDPIDDDDDDID",
    /* PR */ "PIDIDIPPPIIIIPIDDPIIIIIIIID",
    /* SY */ "PIDIDIPPPIIDIPIDDPDDDDDDDID",
    /* AL */ "PIDIDIPPPIIIIPIIIPIDDDDDDID",
    /* H2 */ "PIDIDIPPPIIDIPDIDPDDDDDIIDD",
    /* H3 */ "PIDIDIPPPIIDIPDIDPDDDDDDIDD",
    /* ID */ "PIDIDIPPPIIDIPDIDPDDDDDDDDD",
    /* JL */ "PIDIDIPPPIIDIPDIDPDIIDIIDDD",
    /* JV */ "PIDIDIPPPIIDIPDIDPDDDDDIIDD",
    /* JT */ "PIDIDIPPPIIDIPDIDPDDDDDDIDD",
    /* HL */ "PIDIDIPPPIIIIPIIIPIDDDDDDID",
    /* RI */ "PIDIDIPPPIIDIPDDDPDDDDDDIDI",
}};

Class asciiClass(char32_t c)
{
    switch (c) {
    case '\n':
    case '\v':
    case '\f':
    case '\r': return BK;
    case '\t': return BA;
    case ' ': return SP;
    case '!':
    case '?': return EX;
    case '"':
    case '\'': return QU;
    case '$':
    case '+':
    case '\\': return PR;
    case '%': return PO;
    case '(':
    case '[':
    case '{': return OP;
    case ')':
    case ']': return CP;
    case '}': return CL;
    case ',':
    case '.':
    case ':':
    case ';': return IS;
    case '-': return HY;
    case '/': return SY;
    case '|': return BA;
    default: break;
    }
    if (c < 0x20 || c == 0x7F)
        return CM;
    return c >= '0' && c <= '9' ? NU : AL;
}

struct Range {
    char32_t first;
    char32_t last;
    Class lineClass;
};

// The classes of Unicode 14 (LineBreak.txt) for the punctuation and symbols of Latin-1,
// general punctuation, arrows, mathematical and technical symbols, shapes, dingbats,
// CJK punctuation, kana and the full-width and half-width forms, as gettext's line
// breaker has them; ordered by code point. Letters (AL) are left out, and so are the
// ideographs of the blocks isIdeographic() covers.
constexpr Range Punctuation[] = {
    {0xA0, 0xA0, GL}, {0xA1, 0xA1, OP}, {0xA2, 0xA2, PO}, {0xA3, 0xA5, PR}, {0xA7, 0xA8, AI}, {0xAA, 0xAA, AI},
    {0xAB, 0xAB, QU}, {0xAD, 0xAD, BA}, {0xB0, 0xB0, PO}, {0xB1, 0xB1, PR}, {0xB2, 0xB3, AI}, {0xB4, 0xB4, BB},
    {0xB6, 0xBA, AI}, {0xBB, 0xBB, QU}, {0xBC, 0xBE, AI}, {0xBF, 0xBF, OP}, {0xD7, 0xD7, AI}, {0xF7, 0xF7, AI},
    {0x34F, 0x34F, GL}, {0x35C, 0x362, GL}, {0x37E, 0x37E, IS},
    {0x2000, 0x2006, BA}, {0x2007, 0x2007, GL}, {0x2008, 0x200A, BA}, {0x200B, 0x200B, ZW}, {0x200C, 0x200F, CM},
    {0x2010, 0x2010, BA}, {0x2011, 0x2011, GL}, {0x2012, 0x2013, BA}, {0x2014, 0x2014, B2}, {0x2015, 0x2016, AI},
    {0x2018, 0x2019, QU}, {0x201A, 0x201A, OP}, {0x201B, 0x201D, QU}, {0x201E, 0x201E, OP}, {0x201F, 0x201F, QU},
    {0x2020, 0x2021, AI}, {0x2024, 0x2026, IN}, {0x2027, 0x2027, BA}, {0x2028, 0x2029, BK}, {0x202A, 0x202E, CM},
    {0x202F, 0x202F, GL}, {0x2030, 0x2037, PO}, {0x2039, 0x203A, QU}, {0x203B, 0x203B, AI}, {0x203C, 0x203D, NS},
    {0x2044, 0x2044, IS}, {0x2045, 0x2045, OP}, {0x2046, 0x2046, CL}, {0x2047, 0x2049, NS}, {0x2056, 0x2056, BA},
    {0x2058, 0x205B, BA}, {0x205D, 0x205F, BA}, {0x2060, 0x2060, WJ}, {0x2066, 0x206F, CM}, {0x2074, 0x2074, AI},
    {0x207D, 0x207D, OP}, {0x207E, 0x207E, CL}, {0x207F, 0x207F, AI}, {0x2081, 0x2084, AI}, {0x208D, 0x208D, OP},
    {0x208E, 0x208E, CL}, {0x20A0, 0x20A6, PR}, {0x20A7, 0x20A7, PO}, {0x20A8, 0x20B5, PR}, {0x20B6, 0x20B6, PO},
    {0x20B7, 0x20BA, PR}, {0x20BB, 0x20BB, PO}, {0x20BC, 0x20BD, PR}, {0x20BE, 0x20BE, PO}, {0x20BF, 0x20BF, PR},
    {0x20C0, 0x20C0, PO}, {0x20D0, 0x20F0, CM}, {0x2103, 0x2103, PO}, {0x2105, 0x2105, AI}, {0x2109, 0x2109, PO},
    {0x2113, 0x2113, AI}, {0x2116, 0x2116, PR}, {0x2121, 0x2122, AI}, {0x212B, 0x212B, AI}, {0x2154, 0x2155, AI},
    {0x215B, 0x215B, AI}, {0x215E, 0x215E, AI}, {0x2160, 0x216B, AI}, {0x2170, 0x2179, AI}, {0x2189, 0x2189, AI},
    {0x2190, 0x2199, AI}, {0x21D2, 0x21D2, AI}, {0x21D4, 0x21D4, AI}, {0x2200, 0x2200, AI}, {0x2202, 0x2203, AI},
    {0x2207, 0x2208, AI}, {0x220B, 0x220B, AI}, {0x220F, 0x220F, AI}, {0x2211, 0x2211, AI}, {0x2212, 0x2213, PR},
    {0x2215, 0x2215, AI}, {0x221A, 0x221A, AI}, {0x221D, 0x2220, AI}, {0x2223, 0x2223, AI}, {0x2225, 0x2225, AI},
    {0x2227, 0x222C, AI}, {0x222E, 0x222E, AI}, {0x2234, 0x2237, AI}, {0x223C, 0x223D, AI}, {0x2248, 0x2248, AI},
    {0x224C, 0x224C, AI}, {0x2252, 0x2252, AI}, {0x2260, 0x2261, AI}, {0x2264, 0x2267, AI}, {0x226A, 0x226B, AI},
    {0x226E, 0x226F, AI}, {0x2282, 0x2283, AI}, {0x2286, 0x2287, AI}, {0x2295, 0x2295, AI}, {0x2299, 0x2299, AI},
    {0x22A5, 0x22A5, AI}, {0x22BF, 0x22BF, AI}, {0x22EF, 0x22EF, IN}, {0x2308, 0x2308, OP}, {0x2309, 0x2309, CL},
    {0x230A, 0x230A, OP}, {0x230B, 0x230B, CL}, {0x2312, 0x2312, AI}, {0x231A, 0x231B, ID},
    {0x2329, 0x2329, WideOP}, {0x232A, 0x232A, CL}, {0x23F0, 0x23F3, ID}, {0x2460, 0x24FE, AI},
    {0x2500, 0x254B, AI}, {0x2550, 0x2574, AI}, {0x2580, 0x258F, AI}, {0x2592, 0x2595, AI}, {0x25A0, 0x25A1, AI},
    {0x25A3, 0x25A9, AI}, {0x25B2, 0x25B3, AI}, {0x25B6, 0x25B7, AI}, {0x25BC, 0x25BD, AI}, {0x25C0, 0x25C1, AI},
    {0x25C6, 0x25C8, AI}, {0x25CB, 0x25CB, AI}, {0x25CE, 0x25D1, AI}, {0x25E2, 0x25E5, AI}, {0x25EF, 0x25EF, AI},
    {0x2600, 0x2603, ID}, {0x2605, 0x2606, AI}, {0x2609, 0x2609, AI}, {0x260E, 0x260F, AI}, {0x2614, 0x2615, ID},
    {0x2616, 0x2617, AI}, {0x2618, 0x2618, ID}, {0x261A, 0x261F, ID}, {0x2639, 0x263B, ID}, {0x2640, 0x2640, AI},
    {0x2642, 0x2642, AI}, {0x2660, 0x2661, AI}, {0x2663, 0x2665, AI}, {0x2667, 0x2667, AI}, {0x2668, 0x2668, ID},
    {0x2669, 0x266A, AI}, {0x266C, 0x266D, AI}, {0x266F, 0x266F, AI}, {0x267F, 0x267F, ID}, {0x269E, 0x269F, AI},
    {0x26BD, 0x26C8, ID}, {0x26C9, 0x26CC, AI}, {0x26CD, 0x26CD, ID}, {0x26CF, 0x26D1, ID}, {0x26D2, 0x26D2, AI},
    {0x26D3, 0x26D4, ID}, {0x26D5, 0x26D7, AI}, {0x26D8, 0x26D9, ID}, {0x26DA, 0x26DB, AI}, {0x26DC, 0x26DC, ID},
    {0x26DD, 0x26DE, AI}, {0x26DF, 0x26E1, ID}, {0x26E3, 0x26E3, AI}, {0x26E8, 0x26E9, AI}, {0x26EA, 0x26EA, ID},
    {0x26EB, 0x26F0, AI}, {0x26F1, 0x26F5, ID}, {0x26F6, 0x26F6, AI}, {0x26F7, 0x26FA, ID}, {0x26FB, 0x26FC, AI},
    {0x26FD, 0x2704, ID}, {0x2708, 0x270D, ID}, {0x2757, 0x2757, AI}, {0x275B, 0x2760, QU}, {0x2762, 0x2763, EX},
    {0x2764, 0x2764, ID}, {0x2768, 0x2768, OP}, {0x2769, 0x2769, CL}, {0x276A, 0x276A, OP}, {0x276B, 0x276B, CL},
    {0x276C, 0x276C, OP}, {0x276D, 0x276D, CL}, {0x276E, 0x276E, OP}, {0x276F, 0x276F, CL}, {0x2770, 0x2770, OP},
    {0x2771, 0x2771, CL}, {0x2772, 0x2772, OP}, {0x2773, 0x2773, CL}, {0x2774, 0x2774, OP}, {0x2775, 0x2775, CL},
    {0x2776, 0x2793, AI}, {0x3000, 0x3000, BA}, {0x3001, 0x3002, CL}, {0x3005, 0x3005, NS},
    {0x3008, 0x3008, WideOP}, {0x3009, 0x3009, CL}, {0x300A, 0x300A, WideOP}, {0x300B, 0x300B, CL},
    {0x300C, 0x300C, WideOP}, {0x300D, 0x300D, CL}, {0x300E, 0x300E, WideOP}, {0x300F, 0x300F, CL},
    {0x3010, 0x3010, WideOP}, {0x3011, 0x3011, CL}, {0x3014, 0x3014, WideOP}, {0x3015, 0x3015, CL},
    {0x3016, 0x3016, WideOP}, {0x3017, 0x3017, CL}, {0x3018, 0x3018, WideOP}, {0x3019, 0x3019, CL},
    {0x301A, 0x301A, WideOP}, {0x301B, 0x301B, CL}, {0x301C, 0x301C, NS}, {0x301D, 0x301D, WideOP},
    {0x301E, 0x301F, CL}, {0x302A, 0x302F, CM}, {0x3035, 0x3035, CM}, {0x303B, 0x303C, NS}, {0x3041, 0x3041, NS},
    {0x3043, 0x3043, NS}, {0x3045, 0x3045, NS}, {0x3047, 0x3047, NS}, {0x3049, 0x3049, NS}, {0x3063, 0x3063, NS},
    {0x3083, 0x3083, NS}, {0x3085, 0x3085, NS}, {0x3087, 0x3087, NS}, {0x308E, 0x308E, NS}, {0x3095, 0x3096, NS},
    {0x3099, 0x309A, CM}, {0x309B, 0x309E, NS}, {0x30A0, 0x30A1, NS}, {0x30A3, 0x30A3, NS}, {0x30A5, 0x30A5, NS},
    {0x30A7, 0x30A7, NS}, {0x30A9, 0x30A9, NS}, {0x30C3, 0x30C3, NS}, {0x30E3, 0x30E3, NS}, {0x30E5, 0x30E5, NS},
    {0x30E7, 0x30E7, NS}, {0x30EE, 0x30EE, NS}, {0x30F5, 0x30F6, NS}, {0x30FB, 0x30FE, NS}, {0x31F0, 0x31FF, NS},
    {0x3248, 0x324F, AI}, {0xA015, 0xA015, NS}, {0xFE10, 0xFE10, IS}, {0xFE11, 0xFE12, CL}, {0xFE13, 0xFE14, IS},
    {0xFE15, 0xFE16, EX}, {0xFE17, 0xFE17, WideOP}, {0xFE18, 0xFE18, CL}, {0xFE19, 0xFE19, IN},
    {0xFE20, 0xFE2F, CM}, {0xFE35, 0xFE35, WideOP}, {0xFE36, 0xFE36, CL}, {0xFE37, 0xFE37, WideOP},
    {0xFE38, 0xFE38, CL}, {0xFE39, 0xFE39, WideOP}, {0xFE3A, 0xFE3A, CL}, {0xFE3B, 0xFE3B, WideOP},
    {0xFE3C, 0xFE3C, CL}, {0xFE3D, 0xFE3D, WideOP}, {0xFE3E, 0xFE3E, CL}, {0xFE3F, 0xFE3F, WideOP},
    {0xFE40, 0xFE40, CL}, {0xFE41, 0xFE41, WideOP}, {0xFE42, 0xFE42, CL}, {0xFE43, 0xFE43, WideOP},
    {0xFE44, 0xFE44, CL}, {0xFE47, 0xFE47, WideOP}, {0xFE48, 0xFE48, CL}, {0xFE50, 0xFE50, CL},
    {0xFE51, 0xFE51, ID}, {0xFE52, 0xFE52, CL}, {0xFE54, 0xFE55, NS}, {0xFE56, 0xFE57, EX}, {0xFE58, 0xFE58, ID},
    {0xFE59, 0xFE59, WideOP}, {0xFE5A, 0xFE5A, CL}, {0xFE5B, 0xFE5B, WideOP}, {0xFE5C, 0xFE5C, CL},
    {0xFE5D, 0xFE5D, WideOP}, {0xFE5E, 0xFE5E, CL}, {0xFE5F, 0xFE66, ID}, {0xFE68, 0xFE68, ID},
    {0xFE69, 0xFE69, PR}, {0xFE6A, 0xFE6A, PO}, {0xFE6B, 0xFE6B, ID}, {0xFF01, 0xFF01, EX}, {0xFF04, 0xFF04, PR},
    {0xFF05, 0xFF05, PO}, {0xFF08, 0xFF08, WideOP}, {0xFF09, 0xFF09, CL}, {0xFF0C, 0xFF0C, CL},
    {0xFF0E, 0xFF0E, CL}, {0xFF1A, 0xFF1B, NS}, {0xFF1F, 0xFF1F, EX}, {0xFF3B, 0xFF3B, WideOP},
    {0xFF3D, 0xFF3D, CL}, {0xFF5B, 0xFF5B, WideOP}, {0xFF5D, 0xFF5D, CL}, {0xFF5F, 0xFF5F, WideOP},
    {0xFF60, 0xFF61, CL}, {0xFF62, 0xFF62, WideOP}, {0xFF63, 0xFF64, CL}, {0xFF65, 0xFF65, NS},
    {0xFF66, 0xFF66, ID}, {0xFF67, 0xFF70, NS}, {0xFF71, 0xFF9D, ID}, {0xFF9E, 0xFF9F, NS}, {0xFFA0, 0xFFBE, ID},
    {0xFFC2, 0xFFC7, ID}, {0xFFCA, 0xFFCF, ID}, {0xFFD2, 0xFFD7, ID}, {0xFFDA, 0xFFDC, ID}, {0xFFE0, 0xFFE0, PO},
    {0xFFE1, 0xFFE1, PR}, {0xFFE5, 0xFFE6, PR},
};

// The blocks whose code points are ideographs even before a character is assigned.
bool isUnifiedIdeograph(char32_t c)
{
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF)
        || (c >= 0x20000 && c <= 0x3FFFD);
}

// Blocks of ideographs, CJK symbols and emoji, whose characters are ideographic unless
// the table above says otherwise.
bool isIdeographic(char32_t c)
{
    constexpr std::pair<char32_t, char32_t> Blocks[] = {
        {0x2E80, 0x2FFF}, {0x3000, 0x33FF}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},   {0xF900, 0xFAFF},
        {0xFE30, 0xFE4F}, {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6}, {0x1F000, 0x1FAFF}, {0x20000, 0x3FFFD},
    };
    return std::any_of(std::begin(Blocks), std::end(Blocks),
                       [c](const auto &block) { return c >= block.first && c <= block.second; });
}

Class lineClass(char32_t c, bool wideSet)
{
    Class result = AL;
    if (c < 0x80) {
        result = asciiClass(c);
    } else if (c == 0x85) {
        result = BK;
    } else if (c < 0xA0) {
        result = CM;
    } else if (c >= 0xAC00 && c <= 0xD7A3) {
        result = (c - 0xAC00) % 28 == 0 ? H2 : H3;
    } else if (c >= 0x1100 && c <= 0x11FF) {
        result = c < 0x1160 ? JL : c < 0x11A8 ? JV : JT;
    } else if (QChar::category(c) == QChar::Other_NotAssigned && !isUnifiedIdeograph(c)) {
        result = AL;
    } else {
        const auto *range = std::partition_point(std::begin(Punctuation), std::end(Punctuation),
                                                 [c](const Range &r) { return r.last < c; });
        if (range != std::end(Punctuation) && c >= range->first)
            result = range->lineClass;
        else if (isIdeographic(c))
            result = ID;
        else if (QChar::isMark(c))
            result = CM;
        else if (QChar::category(c) == QChar::Number_DecimalDigit)
            result = NU;
    }
    // Ambiguous characters are ideographic in the old double-byte sets, letters elsewhere.
    if (result == AI)
        return wideSet ? ID : AL;
    return result;
}

enum class Opportunity : unsigned char { None, Possible, Mandatory };

// The character that starts at the index; the index moves to its last UTF-16 unit.
char32_t codePointAt(QStringView text, qsizetype &i)
{
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        ++i;
        return QChar::surrogateToUcs4(text[i - 1], text[i]);
    }
    return text[i].unicode();
}

// Where the rules allow a new line to start, before each UTF-16 unit: gettext's pair
// algorithm over the characters, with spaces and combining marks resolved first.
QList<Opportunity> opportunities(QStringView text, bool wideSet)
{
    QList<Opportunity> result(text.size(), Opportunity::None);
    Class last = BK;
    qsizetype lastSpace = -1;
    bool afterJoiner = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype at = i;
        const char32_t character = codePointAt(text, i);
        Class current = lineClass(character, wideSet);
        // Nothing breaks right after a zero-width joiner, which binds emoji sequences.
        const bool joined = afterJoiner;
        afterJoiner = character == 0x200D;
        if (current == BK) {
            result[at] = Opportunity::Mandatory;
            last = BK;
            lastSpace = -1;
            continue;
        }
        if (current == SP) {
            lastSpace = at;
            continue;
        }
        if (current == ZW) {
            last = ZW;
            lastSpace = -1;
            continue;
        }
        // A combining mark belongs to the character before it; one without such a
        // character (at the start, after a space) stands as a letter.
        if (current == CM) {
            if (last != BK && last != ZW && lastSpace < 0)
                continue;
            current = AL;
        }
        const bool wideOpening = current == WideOP;
        if (wideOpening)
            current = OP;
        bool possible = last == ZW;
        if (wideOpening && (last == AL || last == HL || last == NU)) {
            possible = true;
        } else if (last != BK && last != ZW) {
            const char pair = PairTable[last][current];
            possible = pair == 'D' || (pair == 'I' && lastSpace >= 0);
        }
        if (possible && !joined)
            result[at] = Opportunity::Possible;
        last = current;
        lastSpace = -1;
    }
    return result;
}

}

namespace PoLineBreaks {

int columnWidth(char32_t character, bool wideSet)
{
    if (character < 0x20 || (character >= 0x7F && character < 0xA0))
        return 0;
    switch (QChar::category(character)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format: return 0;
    default: break;
    }
    constexpr std::pair<char32_t, char32_t> WideBlocks[] = {
        {0x1100, 0x115F},   {0x2329, 0x232A},   {0x2E80, 0x303E},   {0x3040, 0x4DBF},
        {0x4E00, 0xA4CF},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},
        {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x1F300, 0x1F64F},
        {0x1F680, 0x1F6FF}, {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
    };
    for (const auto &[first, last] : WideBlocks) {
        if (character >= first && character <= last)
            return 2;
    }
    if (wideSet && character >= 0xA1 && character < 0xFF61 && character != 0x20A9)
        return 2;
    return 1;
}

QList<bool> breaks(QStringView text, const QList<bool> &prohibited, int startColumn, int width, bool wideSet)
{
    const QList<Opportunity> allowed = opportunities(text, wideSet);
    // gettext's greedy filling: a piece runs from one opportunity to the next; when a
    // piece would pass the width, the line breaks where that piece started.
    QList<bool> result(text.size(), false);
    qsizetype lastBreak = -1;
    int lastColumn = startColumn;
    int pieceWidth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype at = i;
        const char32_t character = codePointAt(text, i);
        const Opportunity opportunity = prohibited[at] ? Opportunity::None : allowed[at];
        if (opportunity != Opportunity::None && lastBreak >= 0 && lastColumn + pieceWidth > width) {
            result[lastBreak] = true;
            lastColumn = 0;
        }
        if (opportunity == Opportunity::Mandatory) {
            lastBreak = -1;
            lastColumn = 0;
            pieceWidth = 0;
            continue;
        }
        if (opportunity == Opportunity::Possible) {
            lastBreak = at;
            lastColumn += pieceWidth;
            pieceWidth = 0;
        }
        pieceWidth += columnWidth(character, wideSet);
    }
    if (lastBreak >= 0 && lastColumn + pieceWidth > width)
        result[lastBreak] = true;
    return result;
}

}
