#include "CheckRules.h"

#include "DictionaryEntry.h"
#include "TextFile.h"
#include "UiText.h"

#include <algorithm>
#include <array>
#include <cstdlib>

using namespace UiText;

namespace {

bool comesBefore(const Placeholder &a, const Placeholder &b)
{
    return a.argument != b.argument ? a.argument < b.argument : a.conversion < b.conversion;
}

void sortByArgument(Placeholders &placeholders)
{
    std::sort(placeholders.begin(), placeholders.end(), comesBefore);
}

// The first placeholder of each list that the other list lacks, counting repeats.
struct PlaceholderDifference {
    const Placeholder *missing = nullptr;
    const Placeholder *extra = nullptr;
};

PlaceholderDifference compare(Placeholders &source, Placeholders &own)
{
    sortByArgument(source);
    sortByArgument(own);
    PlaceholderDifference difference;
    const Placeholder *s = source.begin();
    const Placeholder *o = own.begin();
    while ((s != source.end() || o != own.end()) && !(difference.missing && difference.extra)) {
        if (o == own.end() || (s != source.end() && comesBefore(*s, *o))) {
            difference.missing = difference.missing ? difference.missing : s;
            ++s;
        } else if (s == source.end() || comesBefore(*o, *s)) {
            difference.extra = difference.extra ? difference.extra : o;
            ++o;
        } else {
            ++s;
            ++o;
        }
    }
    return difference;
}

qsizetype doubledSpace(QStringView text)
{
    for (qsizetype at = 1; at < text.size(); ++at) {
        if (text.at(at) == u' ' && text.at(at - 1) == u' ')
            return at - 1;
    }
    return -1;
}

QStringView trimmedBlanks(QStringView text)
{
    text = trimmedEnd(text);
    qsizetype begin = 0;
    while (begin < text.size() && isBlank(text.at(begin)))
        ++begin;
    return text.sliced(begin);
}

// Words as an untranslated interface string has them: ASCII letters only, all lower
// case or capitalised ("file", "Open"); an access-key marker inside is skipped.
struct WordCount {
    int plain = 0;
    int lowerCase = 0;
    int longWords = 0;           // three letters or more
    int longLowerCaseWords = 0;  // four letters or more, all small: "seconds", not "px" or "dB"
};

bool isLower(QChar c) { return c >= u'a' && c <= u'z'; }
bool isUpper(QChar c) { return c >= u'A' && c <= u'Z'; }

void countWord(QStringView token, QChar marker, WordCount &count)
{
    constexpr QStringView Leading = u"(\"'“‘[<";
    constexpr QStringView Trailing = u")\"'”’]>,.:;!?…";
    while (!token.isEmpty() && Leading.contains(token.front()))
        token = token.sliced(1);
    while (!token.isEmpty() && Trailing.contains(token.back()))
        token.chop(1);
    int letters = 0;
    bool lowerOnly = true;
    for (qsizetype at = 0; at < token.size(); ++at) {
        const QChar c = token.at(at);
        if (c == marker && at + 1 < token.size())
            continue;
        if (!isLower(c) && !(letters == 0 && isUpper(c)))
            return;
        lowerOnly = lowerOnly && isLower(c);
        ++letters;
    }
    if (letters < 2)
        return;
    ++count.plain;
    count.lowerCase += lowerOnly ? 1 : 0;
    count.longWords += letters >= 3 ? 1 : 0;
    count.longLowerCaseWords += lowerOnly && letters >= 4 ? 1 : 0;
}

WordCount countWords(QStringView text, QChar marker)
{
    WordCount count;
    qsizetype begin = 0;
    for (qsizetype at = 0; at <= text.size(); ++at) {
        if (at == text.size() || isBlank(text.at(at))) {
            if (at > begin)
                countWord(text.sliced(begin, at - begin), marker, count);
            begin = at + 1;
        }
    }
    return count;
}

// Shipped catalogues leave names ("David Faure", "Booty Bass"), units and acronyms
// ("kHz", "MiB", "WAV (Microsoft)", "OK"), key names ("Page Down"), paper sizes and
// bare codes ("%d %%", "default:LTR") as they are: capitalised words, or words that
// are no plain words at all. Interface text left in English shows itself by a lower-
// case word among others ("Open file") or of four letters or more ("seconds"), by
// three words or more, or by a single word dressed as a control: an access key
// ("&Open"), end punctuation ("Name:", "Loading...") or a placeholder beside a longer
// word ("Hide %1"). On 18,000 entries of 18 shipped catalogues this leaves 32 of the
// 1,051 entries equal to their source flagged and finds three in four sources left
// untranslated; flagging single capitalised words too would flag 100 more names.
bool readsAsInterfaceText(const PreparedEntry &entry)
{
    const QStringView text = entry.sourceBody;
    const WordCount words = countWords(text, entry.accessKeyMarker);
    if (words.plain >= 3 || (words.plain >= 2 && words.lowerCase >= 1) || words.longLowerCaseWords > 0)
        return true;
    if (words.plain == 0)
        return false;
    if (findAccessKeys(text, entry.accessKeyMarker).count > 0)
        return true;
    if (decoratedEndMark(text, entry.accessKeyMarker).mark != EndMark::None)
        return true;
    return words.longWords > 0 && holdsPlaceholder(text, entry.placeholders);
}

struct BracketPair {
    QChar open;
    QChar close;
    int family;  // pairs a translator may swap for each other share a family
};

constexpr std::array<BracketPair, 6> BracketPairs{{
    {u'(', u')', 0}, {u'（', u'）', 0}, {u'[', u']', 1}, {u'《', u'》', 2}, {u'“', u'”', 3}, {u'‘', u'’', 4},
}};
constexpr int BracketFamilies = 5;

struct PairBalance {
    int depth = 0;
    qsizetype firstOpen = -1;
    qsizetype strayClose = -1;

    bool balanced() const { return depth == 0 && strayClose < 0; }
    qsizetype position() const { return strayClose >= 0 ? strayClose : firstOpen; }
};

using Balances = std::array<PairBalance, BracketPairs.size()>;

// The pair a character opens (+1 + index) or closes (-1 - index); 0 for any other.
int bracketOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < u'(' || (u > u']' && u < u'‘') || (u > u'”' && u < u'《') || (u > u'》' && u < u'（'))
        return 0;
    for (size_t pair = 0; pair < BracketPairs.size(); ++pair) {
        if (c == BracketPairs[pair].open)
            return int(pair) + 1;
        if (c == BracketPairs[pair].close)
            return -int(pair) - 1;
    }
    return 0;
}

Balances balancesOf(QStringView text)
{
    Balances balances;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const int bracket = bracketOf(text.at(at));
        if (bracket == 0)
            continue;
        PairBalance &balance = balances[size_t(std::abs(bracket) - 1)];
        if (bracket > 0)
            balance.firstOpen = balance.depth++ == 0 ? at : balance.firstOpen;
        else if (balance.depth > 0)
            --balance.depth;
        else if (balance.strayClose < 0)
            balance.strayClose = at;
    }
    return balances;
}

// Encoding a text to count its bytes is slow; ASCII takes one byte, a common ideograph
// and each half of a surrogate pair two, anything else two or four, so the limit can
// mostly be judged from these bounds alone.
struct ByteBounds {
    qsizetype least = 0;
    qsizetype most = 0;
};

ByteBounds gb18030ByteBounds(QStringView text)
{
    ByteBounds bounds;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool exact = u < 0x80 || (u >= 0x4E00 && u <= 0x9FA5) || c.isSurrogate();
        bounds.least += u < 0x80 ? 1 : 2;
        bounds.most += u < 0x80 ? 1 : exact ? 2 : 4;
    }
    return bounds;
}

}

PlaceholderRule::PlaceholderRule()
    : CheckRule(u"placeholders"_qs, u"占位符"_qs, u"占位符与原文不符"_qs)
{
}

void PlaceholderRule::check(const PreparedEntry &entry, QList<CheckFinding> &findings) const
{
    if (entry.placeholders.none() || (!mayHoldPlaceholder(entry.source) && !mayHoldPlaceholder(entry.translation)))
        return;
    Placeholders source = findPlaceholders(entry.source, entry.placeholders);
    Placeholders own = findPlaceholders(entry.translation, entry.placeholders);
    const PlaceholderDifference difference = compare(source, own);
    QStringList details;
    if (difference.missing)
        details.append(u"译文缺少 "_qs + difference.missing->text.toString());
    if (difference.extra)
        details.append(u"多出 "_qs + difference.extra->text.toString());
    if (!details.isEmpty())
        report(findings, details.join(u'，'), difference.extra ? difference.extra->position : -1);
}

InnerSpacingRule::InnerSpacingRule()
    : CheckRule(u"inner-spacing"_qs, u"内部空白"_qs, u"译文有原文没有的空白"_qs)
{
}

void InnerSpacingRule::check(const PreparedEntry &entry, QList<CheckFinding> &findings) const
{
    const QStringView source = trimmedBlanks(entry.source);
    const QStringView own = trimmedBlanks(entry.translation);
    const qsizetype offset = own.isEmpty() ? 0 : own.data() - entry.translation.data();
    if (const qsizetype doubled = doubledSpace(own); doubled >= 0 && doubledSpace(source) < 0)
        report(findings, u"连续空格"_qs, offset + doubled);
    if (entry.translationShortcut.found() && !entry.sourceShortcut.found())
        report(findings, u"制表符"_qs, entry.translationShortcut.separator);
    if (const qsizetype lineFeed = own.indexOf(u'\n'); lineFeed >= 0 && !source.contains(u'\n'))
        report(findings, u"换行"_qs, offset + lineFeed);
}

UntranslatedRule::UntranslatedRule()
    : CheckRule(u"untranslated"_qs, u"未翻译"_qs, u"译文与原文相同，却标为已译"_qs)
{
}

void UntranslatedRule::check(const PreparedEntry &entry, QList<CheckFinding> &findings) const
{
    if (entry.status == EntryStatus::Translated && entry.translation == entry.source && readsAsInterfaceText(entry))
        report(findings);
}

LengthRule::LengthRule() : CheckRule(u"length"_qs, u"长度"_qs, u"译文超过长度限制"_qs) {}

void LengthRule::check(const PreparedEntry &entry, QList<CheckFinding> &findings) const
{
    if (m_limit <= 0)
        return;
    const ByteBounds bounds = gb18030ByteBounds(entry.translation);
    if (bounds.most <= m_limit)
        return;
    const qsizetype bytes = bounds.least == bounds.most ? bounds.least : TextCodec::gb18030ByteLength(entry.translation);
    if (bytes > m_limit)
        report(findings, QStringLiteral("%1 字节，限制 %2 字节").arg(bytes).arg(m_limit));
}

BracketRule::BracketRule() : CheckRule(u"brackets"_qs, u"括号引号"_qs, u"译文的括号或引号不成对"_qs) {}

void BracketRule::check(const PreparedEntry &entry, QList<CheckFinding> &findings) const
{
    const Balances source = balancesOf(entry.source);
    std::array<bool, BracketFamilies> sourceBalanced;
    sourceBalanced.fill(true);
    for (size_t pair = 0; pair < BracketPairs.size(); ++pair)
        sourceBalanced[BracketPairs[pair].family] = sourceBalanced[BracketPairs[pair].family] && source[pair].balanced();
    const Balances own = balancesOf(entry.translation);
    for (size_t pair = 0; pair < BracketPairs.size(); ++pair) {
        if (sourceBalanced[BracketPairs[pair].family] && !own[pair].balanced()) {
            report(findings, QString(BracketPairs[pair].open) + BracketPairs[pair].close, own[pair].position());
            return;
        }
    }
}
