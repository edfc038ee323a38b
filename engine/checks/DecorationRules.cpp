#include "CheckRules.h"

#include "UiText.h"

#include <array>

using namespace UiText;

namespace {

QString keyText(QChar marker, QChar letter)
{
    return QString(marker) + letter;
}

// A key decoration that ends the text right after an ellipsis or colon, as in
// "打开...(&O)": the key belongs before them.
bool isAfterEndMark(QStringView text, const AccessKeys &key)
{
    if (trimmedEnd(text).size() != key.end)
        return false;
    const EndMark before = endMark(trimmedEnd(text.first(key.begin))).mark;
    return before == EndMark::Ellipsis || before == EndMark::Colon;
}

QString shortcutText(QStringView text, const ShortcutSplit &split)
{
    return u"\\t"_qs + text.sliced(split.shortcut).toString();
}

QString markName(EndMark mark)
{
    static const std::array<QString, 7> Names{
        u"无"_qs, u"省略号"_qs, u"冒号"_qs, u"句号"_qs, u"问号"_qs, u"叹号"_qs, u"分号"_qs,
    };
    return Names[size_t(mark)];
}

// "Name: " becomes "名称：", "Read, " becomes "读取，": a full-width mark carries its own space.
bool isWideFormOf(QStringView translation, QStringView source)
{
    constexpr QStringView Ascii = u":,;?!.";
    constexpr QStringView Wide = u"：，；？！。";
    if (translation.isEmpty() || source.isEmpty())
        return false;
    const qsizetype mark = Ascii.indexOf(source.back());
    return mark >= 0 && translation.back() == Wide.at(mark);
}

}

PreparedEntry::PreparedEntry(const CheckedEntry &entry)
    : CheckedEntry(entry),
      sourceShortcut(splitShortcut(entry.source)),
      translationShortcut(splitShortcut(entry.translation)),
      sourceBody(sourceShortcut.found() ? entry.source.first(sourceShortcut.separator) : entry.source),
      translationBody(translationShortcut.found() ? entry.translation.first(translationShortcut.separator)
                                                  : entry.translation)
{
}

void CheckRule::report(QList<CheckFinding> &findings, const QString &detail, qsizetype position) const
{
    findings.append({m_id, detail.isEmpty() ? m_message : m_message + u'：' + detail, position});
}

AccessKeyRule::AccessKeyRule() : CheckRule(u"access-key"_qs, u"加速键"_qs, u"加速键与原文不符"_qs) {}

void AccessKeyRule::check(const PreparedEntry &entry, QList<CheckFinding> &findings) const
{
    const QChar marker = entry.accessKeyMarker;
    const QStringView translation = entry.translationBody;
    const AccessKeys source = findAccessKeys(entry.sourceBody, marker);
    const AccessKeys own = findAccessKeys(translation, marker);
    // Two lone markers in the source leave its key open to doubt.
    if (source.count > 1)
        return;
    if (source.count == 0) {
        if (own.count > 0)
            report(findings, u"原文没有加速键，译文有 "_qs + keyText(marker, own.letter), own.marker);
        return;
    }
    if (own.count == 0)
        report(findings, u"译文缺少 "_qs + keyText(marker, source.letter));
    else if (own.count > 1)
        report(findings, QStringLiteral("译文有 %1 个加速键").arg(own.count), own.marker);
    else if (!sameKeyLetter(source.letter, own.letter))
        report(findings, QStringLiteral("字母应为 %1，译文是 %2").arg(source.letter, own.letter), own.marker);
    else if (isAfterEndMark(translation, own))
        report(findings, u"应放在末尾的省略号或冒号之前"_qs, own.begin);
}

ShortcutRule::ShortcutRule() : CheckRule(u"shortcut"_qs, u"快捷键"_qs, u"快捷键与原文不符"_qs) {}

void ShortcutRule::check(const PreparedEntry &entry, QList<CheckFinding> &findings) const
{
    const ShortcutSplit source = entry.sourceShortcut;
    if (!source.found())
        return;
    const ShortcutSplit own = entry.translationShortcut;
    if (!own.found())
        report(findings, u"译文缺少 "_qs + shortcutText(entry.source, source));
    else if (entry.source.sliced(source.shortcut) != entry.translation.sliced(own.shortcut))
        report(findings, u"应原样保留 "_qs + shortcutText(entry.source, source), own.shortcut);
}

EndPunctuationRule::EndPunctuationRule()
    : CheckRule(u"end-punctuation"_qs, u"末尾标点"_qs, u"末尾标点与原文不符"_qs)
{
}

void EndPunctuationRule::check(const PreparedEntry &entry, QList<CheckFinding> &findings) const
{
    const EndMarkAt source = decoratedEndMark(entry.sourceBody, entry.accessKeyMarker);
    const EndMarkAt own = decoratedEndMark(entry.translationBody, entry.accessKeyMarker);
    if (source.mark == own.mark)
        return;
    report(findings, QStringLiteral("原文是%1，译文是%2").arg(markName(source.mark), markName(own.mark)), own.begin);
}

OuterSpacesRule::OuterSpacesRule()
    : CheckRule(u"outer-spaces"_qs, u"首尾空格"_qs, u"首尾空格与原文不符"_qs)
{
}

void OuterSpacesRule::check(const PreparedEntry &entry, QList<CheckFinding> &findings) const
{
    const int sourceLeading = leadingSpaces(entry.source);
    const int ownLeading = leadingSpaces(entry.translation);
    if (sourceLeading != ownLeading)
        report(findings, QStringLiteral("开头应有 %1 个空格，译文有 %2 个").arg(sourceLeading).arg(ownLeading), 0);
    const QStringView source = entry.sourceBody;
    const QStringView translation = entry.translationBody;
    const int sourceTrailing = trailingSpaces(source);
    const int ownTrailing = trailingSpaces(translation);
    if (sourceTrailing == ownTrailing)
        return;
    if (ownTrailing > 0 || !isWideFormOf(translation, source.chopped(sourceTrailing))) {
        report(findings, QStringLiteral("末尾应有 %1 个空格，译文有 %2 个").arg(sourceTrailing).arg(ownTrailing),
               translation.size() - ownTrailing);
    }
}
