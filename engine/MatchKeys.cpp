#include "MatchKeys.h"

#include "AccessKeyMarkers.h"
#include "ErrorReport.h"

#include <initializer_list>

namespace {

// The patterns in the dialect the options and the rules are written in; "&" stands for
// the file's access-key marker.
const auto ShortcutPattern = QStringLiteral(R"re(^((?:\\\\|[^\\])+)(\\t(?:\\\\|[^\\])+)$)re");
const auto ReferenceSourceAcceleratorPattern = QStringLiteral(R"re(^((?:&&|[^&])*)&([^&](?:&&|[^&])*)$)re");
const auto BracketedAcceleratorHead = QStringLiteral(R"re(^((?:&&|[^&])*))re");
const auto BracketedAcceleratorMarker = QStringLiteral(R"re(&[^ &])re");
const auto BracketedAcceleratorTail = QStringLiteral(R"re(((?:&&|[^&])*)$)re");
const auto WideAcceleratorPattern = QStringLiteral(R"re(^((?:&&|[^&])*)&([\u007F-\uFFFF](?:&&|[^&])*)$)re");
const auto TodoAcceleratorPattern = QStringLiteral(R"re(^((?:&&|[^&])*)&([^ &](?:&&|[^&])*)$)re");
const auto BothSpacesPattern = QStringLiteral(R"re(^( *)([^ ].*[^ ])( *)$)re");
const auto LeadingSpacesPattern = QStringLiteral(R"re(^( *)([^ ].*)$)re");
const auto TrailingSpacesPattern = QStringLiteral(R"re(^(.*[^ ])( *)$)re");
const auto ColonPattern = QStringLiteral(R"re(^(.*[^:]):$)re");
const auto EllipsisPattern = QStringLiteral(R"re(^(?:\.{3}|(.*[^\.])\.{3})$)re");
const auto WideColonPattern = QStringLiteral(R"re(^(.*[^：])：$)re");
const auto WideEllipsisPattern = QStringLiteral(R"re(^(.*[^…])…{1,2}$)re");

const auto Ellipsis = QLatin1StringView("...");
const QChar Space = u' ';
const QChar Colon = u':';
const QChar WideColon = u'：';
const QChar WideEllipsis = u'…';

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool isUnicodeEscape(const QString &pattern, qsizetype backslash)
{
    if (backslash + 5 >= pattern.size())
        return false;
    if (pattern.at(backslash + 1) != u'u')
        return false;
    for (qsizetype i = backslash + 2; i < backslash + 6; ++i) {
        if (!isHexDigit(pattern.at(i)))
            return false;
    }
    return true;
}

// A group that took no part in the match reads as empty text.
QString joinGroups(const QRegularExpressionMatch &match, std::initializer_list<int> groups)
{
    qsizetype length = 0;
    for (const int group : groups)
        length += match.capturedLength(group);
    QString joined;
    joined.reserve(length);
    for (const int group : groups)
        joined.append(match.capturedView(group));
    return joined;
}

// The rule's single-group template ("$1") applied to the text.
void reduceToGroup(QString &text, const AnchoredRule &rule, int group)
{
    const QRegularExpressionMatch match = rule.match(text);
    if (match.hasMatch())
        text = match.captured(group);
}

void reduceToGroups12(QString &text, const AnchoredRule &rule)
{
    const QRegularExpressionMatch match = rule.match(text);
    if (match.hasMatch())
        text = joinGroups(match, {1, 2});
}

// The generic substring search is slow on short texts; these marks are found by
// their first character.
bool containsEscapedTab(const QString &text)
{
    for (qsizetype at = text.indexOf(u'\\'); at >= 0 && at + 1 < text.size(); at = text.indexOf(u'\\', at + 1)) {
        if (text.at(at + 1) == u't')
            return true;
    }
    return false;
}

bool containsEllipsis(const QString &text)
{
    for (qsizetype at = text.indexOf(u'.'); at >= 0 && at + 2 < text.size(); at = text.indexOf(u'.', at + 1)) {
        if (text.at(at + 1) == u'.' && text.at(at + 2) == u'.')
            return true;
    }
    return false;
}

// sqlite3's upper(), which the matching query applies to R.r1, folds ASCII letters
// only; folding the key the same way lets identical texts always meet.
void foldAsciiToUpper(QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= u'a' && c <= u'z')
            text[i] = QChar(char16_t(c - u'a' + u'A'));
    }
}

QString withMarker(QString pattern, QChar marker)
{
    return pattern.replace(AccessKeyMarkers::Ampersand, QRegularExpression::escape(QString(marker)));
}

// The bracket fragments are the user's own expression and stay as they are.
QString bracketedAcceleratorPattern(const ProcessingOptions &options)
{
    const QChar marker = options.referenceMarker;
    return withMarker(BracketedAcceleratorHead, marker) + options.txtrAndXBK1
        + withMarker(BracketedAcceleratorMarker, marker) + options.txtrAndXBK2
        + withMarker(BracketedAcceleratorTail, marker);
}

// Keys and reference translations are stored as a "&" file writes them, so that files
// of different markers meet, and a saved reference database serves any to-do.
void toKeyMarker(QString &text, QChar marker)
{
    if (marker != AccessKeyMarkers::Ampersand)
        text = AccessKeyMarkers::rewrite(text, marker, AccessKeyMarkers::Ampersand);
}

QString bracketFragmentsOrigin(const ProcessingOptions &options)
{
    return QStringLiteral("“[参照]带有&X译文的两边括号:” %1 %2").arg(options.txtrAndXBK1, options.txtrAndXBK2);
}

}

QString rewriteUnicodeEscapes(const QString &pattern)
{
    QString rewritten;
    rewritten.reserve(pattern.size() + 8);
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c != u'\\' || i + 1 == pattern.size()) {
            rewritten.append(c);
        } else if (isUnicodeEscape(pattern, i)) {
            rewritten.append(QLatin1StringView("\\x{")).append(QStringView(pattern).mid(i + 2, 4)).append(u'}');
            i += 5;
        } else {
            rewritten.append(c).append(pattern.at(i + 1));
            ++i;
        }
    }
    return rewritten;
}

AnchoredRule::AnchoredRule(const QString &pattern, const QString &origin)
    // The dialect's "$" means the very end of the text, never "before a final line
    // feed": anchoring the whole pattern once more gives exactly that.
    : m_expression(QRegularExpression::anchoredPattern(rewriteUnicodeEscapes(pattern)))
{
    if (!m_expression.isValid()) {
        Errors::raise(Errors::InvalidPropertyValue,
                      QStringLiteral("%1 — %2").arg(origin.isEmpty() ? pattern : origin, m_expression.errorString()));
    }
    m_expression.optimize();
}

QRegularExpressionMatch AnchoredRule::match(const QString &text) const
{
    return m_expression.match(text);
}

MatchKeyRules::MatchKeyRules(const ProcessingOptions &options)
    : m_options(options),
      m_shortcut(ShortcutPattern),
      m_referenceSourceAccelerator(withMarker(ReferenceSourceAcceleratorPattern, options.referenceMarker)),
      m_bracketedAccelerator(bracketedAcceleratorPattern(options), bracketFragmentsOrigin(options)),
      m_wideAccelerator(withMarker(WideAcceleratorPattern, options.referenceMarker)),
      m_todoAccelerator(withMarker(TodoAcceleratorPattern, options.todoMarker)),
      m_bothSpaces(BothSpacesPattern),
      m_leadingSpaces(LeadingSpacesPattern),
      m_trailingSpaces(TrailingSpacesPattern),
      m_colon(ColonPattern),
      m_ellipsis(EllipsisPattern),
      m_wideColon(WideColonPattern),
      m_wideEllipsis(WideEllipsisPattern)
{
}

ReferencePair MatchKeyRules::NormaliseReferencePair(const QString &source,
                                                    const QString &translation) const
{
    ReferencePair pair{source, translation};
    if (m_options.chkaMTab) {
        dropShortcut(pair.r1);
        dropShortcut(pair.r2);
    }
    if (m_options.chkaAndX)
        dropReferenceAccelerators(pair.r1, pair.r2);
    trimSpaces(pair.r1);
    dropReferenceTrailer(pair.r1, false);
    trimSpaces(pair.r2);
    dropReferenceTrailer(pair.r2, true);
    toKeyMarker(pair.r1, m_options.referenceMarker);
    toKeyMarker(pair.r2, m_options.referenceMarker);
    return pair;
}

void MatchKeyRules::dropShortcut(QString &text) const
{
    if (containsEscapedTab(text))
        reduceToGroup(text, m_shortcut, 1);
}

void MatchKeyRules::dropReferenceAccelerators(QString &source, QString &translation) const
{
    if (source.contains(m_options.referenceMarker))
        reduceToGroups12(source, m_referenceSourceAccelerator);
    if (!translation.contains(m_options.referenceMarker))
        return;
    QRegularExpressionMatch match = m_bracketedAccelerator.match(translation);
    if (!match.hasMatch() && m_options.chkrAndXEER)
        match = m_wideAccelerator.match(translation);
    if (match.hasMatch())
        translation = joinGroups(match, {1, 2});
}

void MatchKeyRules::trimSpaces(QString &text) const
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    if (m_options.chkaLTrimSpace) {
        while (begin < end && text.at(begin) == Space)
            ++begin;
    }
    if (m_options.chkaRTrimSpace) {
        while (end > begin && text.at(end - 1) == Space)
            --end;
    }
    if (begin > 0 || end < text.size())
        text = text.mid(begin, end - begin);
}

// The first of ":", "...", "：", "…" that occurs anywhere in the text picks the one
// rule considered; its pattern can only match when the text ends in that mark.
void MatchKeyRules::dropReferenceTrailer(QString &text, bool wideMarks) const
{
    if (text.contains(Colon)) {
        if (m_options.chkaBanMaoHao && text.endsWith(Colon))
            reduceToGroup(text, m_colon, 1);
    } else if (containsEllipsis(text)) {
        if (m_options.chkaBanSenHao && text.endsWith(Ellipsis))
            reduceToGroup(text, m_ellipsis, 1);
    } else if (!wideMarks) {
        return;
    } else if (text.contains(WideColon)) {
        if (m_options.chkrQuanMaoHao && text.endsWith(WideColon))
            reduceToGroup(text, m_wideColon, 1);
    } else if (text.contains(WideEllipsis)) {
        if (m_options.chkrQuanSenHao && text.endsWith(WideEllipsis))
            reduceToGroup(text, m_wideEllipsis, 1);
    }
}

SourceParts MatchKeyRules::SplitSourceParts(const QString &source) const
{
    SourceParts parts{QString(), source, QString(), QString()};
    if (m_options.chkaMTab && containsEscapedTab(source)) {
        const QRegularExpressionMatch match = m_shortcut.match(source);
        if (match.hasMatch()) {
            parts.sm = match.captured(1);
            parts.st = match.captured(2);
        }
    }
    if (m_options.chkaAndX)
        cutAccelerator(parts);
    cutSpaces(parts);
    cutTrailer(parts);
    toKeyMarker(parts.sm, m_options.todoMarker);
    if (m_options.chkaUpperCase)
        foldAsciiToUpper(parts.sm);
    return parts;
}

void MatchKeyRules::cutAccelerator(SourceParts &parts) const
{
    if (!parts.sm.contains(m_options.todoMarker))
        return;
    const QRegularExpressionMatch match = m_todoAccelerator.match(parts.sm);
    if (!match.hasMatch())
        return;
    const QStringView rest = match.capturedView(2);
    // A letter outside the basic plane is one character of two code units.
    const qsizetype letterLength = rest.front().isHighSurrogate() && rest.size() > 1 ? 2 : 1;
    parts.sk = m_options.txttAndXBK1 + m_options.todoMarker + rest.first(letterLength).toString().toUpper()
        + m_options.txttAndXBK2;
    parts.sm = joinGroups(match, {1, 2});
}

void MatchKeyRules::cutSpaces(SourceParts &parts) const
{
    const bool leading = m_options.chkaLTrimSpace && parts.sm.startsWith(Space);
    const bool trailing = m_options.chkaRTrimSpace && parts.sm.endsWith(Space);
    if (!leading && !trailing)
        return;
    if (m_options.chkaLTrimSpace && m_options.chkaRTrimSpace) {
        const QRegularExpressionMatch match = m_bothSpaces.match(parts.sm);
        if (match.hasMatch()) {
            parts.sh = match.captured(1);
            parts.st.prepend(match.capturedView(3));
            parts.sm = match.captured(2);
        }
    } else if (leading) {
        const QRegularExpressionMatch match = m_leadingSpaces.match(parts.sm);
        if (match.hasMatch()) {
            parts.sh = match.captured(1);
            parts.sm = match.captured(2);
        }
    } else {
        const QRegularExpressionMatch match = m_trailingSpaces.match(parts.sm);
        if (match.hasMatch()) {
            parts.st.prepend(match.capturedView(2));
            parts.sm = match.captured(1);
        }
    }
}

void MatchKeyRules::cutTrailer(SourceParts &parts) const
{
    if (parts.sm.contains(Colon)) {
        if (m_options.chkaBanMaoHao && parts.sm.endsWith(Colon)) {
            const QRegularExpressionMatch match = m_colon.match(parts.sm);
            if (match.hasMatch()) {
                parts.st.prepend(Colon);
                parts.sm = match.captured(1);
            }
        }
    } else if (containsEllipsis(parts.sm)) {
        if (m_options.chkaBanSenHao && parts.sm.endsWith(Ellipsis)) {
            const QRegularExpressionMatch match = m_ellipsis.match(parts.sm);
            if (match.hasMatch()) {
                parts.st.prepend(Ellipsis);
                parts.sm = match.captured(1);
            }
        }
    }
}

QString MatchKeyRules::RedressTranslation(QStringView sh, QStringView r2, QStringView sk, QStringView st) const
{
    QString translation;
    translation.reserve(sh.size() + r2.size() + sk.size() + st.size());
    translation.append(sh);
    AccessKeyMarkers::appendRewritten(translation, r2, AccessKeyMarkers::Ampersand, m_options.todoMarker);
    if (!m_options.chkNotAddANDX)
        translation.append(sk);
    return translation.append(st);
}
