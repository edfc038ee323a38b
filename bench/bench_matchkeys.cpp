// Reduces a million reference pairs and a million to-do sources with the full
// preset and prints how many strings per second each side manages, then how many
// script rows per second the statement builders produce. The same strings then run
// again written with "_" as access-key marker: "_" on both sides, and a "_" to-do
// against the "&" reference, with the re-dressing of every to-do entry.
//
//   bench_matchkeys [count]

#include "AccessKeyMarkers.h"
#include "MatchKeys.h"
#include "ProcessingOptions.h"
#include "SqlStatements.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QTextStream>

#include <array>
#include <cstdlib>
#include <random>

namespace {

struct Phrase {
    const char16_t *source;
    const char16_t *translation;
};

// Interface words with their Simplified Chinese translations.
constexpr std::array<Phrase, 40> Phrases{{
    {u"Open", u"打开"},         {u"Save", u"保存"},           {u"Save As", u"另存为"},
    {u"Close", u"关闭"},        {u"Print", u"打印"},          {u"Print Preview", u"打印预览"},
    {u"Page Setup", u"页面设置"}, {u"Exit", u"退出"},          {u"Undo", u"撤销"},
    {u"Redo", u"重做"},         {u"Cut", u"剪切"},            {u"Copy", u"复制"},
    {u"Paste", u"粘贴"},        {u"Delete", u"删除"},         {u"Select All", u"全选"},
    {u"Find", u"查找"},         {u"Replace", u"替换"},        {u"Go To", u"转到"},
    {u"Options", u"选项"},      {u"Settings", u"设置"},       {u"Help Topics", u"帮助主题"},
    {u"About", u"关于"},        {u"Tools", u"工具"},          {u"Window", u"窗口"},
    {u"Insert", u"插入"},       {u"Format", u"格式"},         {u"Font", u"字体"},
    {u"Properties", u"属性"},   {u"Refresh", u"刷新"},        {u"Zoom In", u"放大"},
    {u"Zoom Out", u"缩小"},     {u"Import", u"导入"},         {u"Export", u"导出"},
    {u"Rename", u"重命名"},     {u"New Folder", u"新建文件夹"}, {u"File name", u"文件名"},
    {u"Search", u"搜索"},       {u"Apply", u"应用"},          {u"Cancel", u"取消"},
    {u"Recent Files", u"最近的文件"},
}};

constexpr std::array<const char16_t *, 8> Shortcuts{
    {u"Ctrl+O", u"Ctrl+S", u"Ctrl+Shift+S", u"F5", u"Alt+F4", u"Ctrl+Z", u"Del", u"Ctrl+F"}};

constexpr std::array<const char16_t *, 4> Openers{{u"(", u"[", u"<", u"{"}};
constexpr std::array<const char16_t *, 4> Closers{{u")", u"]", u">", u"}"}};

struct Pair {
    QString source;
    QString translation;
};

// Builds interface strings the way program resources hold them: menu items with
// accelerators and shortcuts, buttons, labels with colons, dialog sentences.
class StringMaker {
public:
    explicit StringMaker(unsigned seed) : m_random(seed) {}

    Pair next(int serial)
    {
        const Phrase &phrase = Phrases[pick(Phrases.size())];
        QString source = QString::fromUtf16(phrase.source);
        QString translation = QString::fromUtf16(phrase.translation);
        if (chance(30)) {
            source += QStringLiteral(" %1").arg(serial % 997);
            translation += QStringLiteral(" %1").arg(serial % 997);
        }
        switch (pick(6)) {
        case 0: return menuItem(source, translation);
        case 1: return button(source, translation);
        case 2: return label(source, translation);
        case 3: return sentence(source, translation, serial);
        case 4: return padded(source, translation);
        default: return menuItem(source, translation);
        }
    }

private:
    int pick(std::size_t count) { return int(m_random() % count); }
    bool chance(int percent) { return pick(100) < percent; }

    void addAccelerator(QString &source, QString &translation)
    {
        const int at = pick(source.size());
        if (source.at(at) == u' ')
            return;
        const QChar letter = source.at(at).toUpper();
        source.insert(at, u'&');
        const int bracket = chance(85) ? 0 : pick(Openers.size());
        translation += QString::fromUtf16(Openers[bracket]) + u'&' + letter
            + QString::fromUtf16(Closers[bracket]);
    }

    Pair menuItem(QString source, QString translation)
    {
        addAccelerator(source, translation);
        if (chance(30)) {
            source += QStringLiteral("...");
            translation += chance(50) ? QStringLiteral("...") : QStringLiteral("…");
        }
        if (chance(35)) {
            const QString shortcut = QStringLiteral("\\t") + QString::fromUtf16(Shortcuts[pick(Shortcuts.size())]);
            source += shortcut;
            translation += shortcut;
        }
        return {source, translation};
    }

    Pair button(QString source, QString translation)
    {
        addAccelerator(source, translation);
        return {source, translation};
    }

    Pair label(QString source, QString translation)
    {
        if (chance(40))
            addAccelerator(source, translation);
        return {source + u':', translation + (chance(60) ? u'：' : u':')};
    }

    Pair sentence(QString source, QString translation, int serial)
    {
        source = QStringLiteral("Do you want to %1 the selected items of list %2?").arg(source.toLower()).arg(serial);
        translation = QStringLiteral("是否要%1列表 %2 中选定的项目？").arg(translation).arg(serial);
        if (chance(20)) {
            source.replace(u' ', QStringLiteral(" && "), Qt::CaseSensitive);
            source.truncate(60);
        }
        return {source, translation};
    }

    Pair padded(QString source, QString translation)
    {
        const QString spaces(1 + pick(3), u' ');
        return {spaces + source + QStringLiteral("...") + spaces,
                spaces + translation + QStringLiteral("…") + spaces};
    }

    std::mt19937 m_random;
};

double perSecond(qsizetype count, qint64 nanoseconds)
{
    return double(count) * 1e9 / double(nanoseconds);
}

QList<Pair> withMarker(const QList<Pair> &pairs, QChar marker)
{
    QList<Pair> marked;
    marked.reserve(pairs.size());
    for (const Pair &pair : pairs) {
        marked.append({AccessKeyMarkers::rewrite(pair.source, AccessKeyMarkers::Ampersand, marker),
                       AccessKeyMarkers::rewrite(pair.translation, AccessKeyMarkers::Ampersand, marker)});
    }
    return marked;
}

QList<QString> withMarker(const QList<QString> &texts, QChar marker)
{
    QList<QString> marked;
    marked.reserve(texts.size());
    for (const QString &text : texts)
        marked.append(AccessKeyMarkers::rewrite(text, AccessKeyMarkers::Ampersand, marker));
    return marked;
}

// Both reductions and the re-dressing of each to-do entry with the reference
// translation of the same row, for the markers named.
void measureMarkers(QTextStream &out, QChar todoMarker, QChar referenceMarker, const QList<Pair> &references,
                    const QList<QString> &todos)
{
    ProcessingOptions options = ProcessingOptions::full();
    options.todoMarker = todoMarker;
    options.referenceMarker = referenceMarker;
    const MatchKeyRules rules(options);
    const QList<Pair> markedReferences = withMarker(references, referenceMarker);
    const QList<QString> markedTodos = withMarker(todos, todoMarker);

    QElapsedTimer timer;
    QList<ReferencePair> reduced;
    reduced.reserve(references.size());
    timer.start();
    for (const Pair &pair : markedReferences)
        reduced.append(rules.NormaliseReferencePair(pair.source, pair.translation));
    const qint64 referenceNs = timer.nsecsElapsed();

    QList<SourceParts> parts;
    parts.reserve(todos.size());
    timer.restart();
    for (const QString &source : markedTodos)
        parts.append(rules.SplitSourceParts(source));
    const qint64 todoNs = timer.nsecsElapsed();

    qsizetype redressedChars = 0;
    timer.restart();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const SourceParts &p = parts.at(i);
        redressedChars += rules.RedressTranslation(p.sh, reduced.at(i).r2, p.sk, p.st).size();
    }
    const qint64 redressNs = timer.nsecsElapsed();

    out << "markers " << todoMarker << " (to-do) " << referenceMarker << " (reference): reference pairs "
        << qint64(perSecond(references.size(), referenceNs)) << ", to-do sources "
        << qint64(perSecond(todos.size(), todoNs)) << ", re-dressed " << qint64(perSecond(parts.size(), redressNs))
        << " per second (" << redressedChars << " characters)\n";
}

}

int main(int argc, char **argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    QTextStream out(stdout);

    StringMaker references(20240601);
    StringMaker todos(19990101);
    QList<Pair> referencePairs;
    QList<QString> todoSources;
    referencePairs.reserve(count);
    todoSources.reserve(count);
    for (int i = 0; i < count; ++i) {
        referencePairs.append(references.next(i));
        todoSources.append(todos.next(i + 7).source);
    }

    QElapsedTimer timer;
    timer.start();
    const MatchKeyRules rules(ProcessingOptions::full());
    const qint64 compileNs = timer.nsecsElapsed();

    QList<ReferencePair> reduced;
    reduced.reserve(count);
    timer.restart();
    for (const Pair &pair : std::as_const(referencePairs))
        reduced.append(rules.NormaliseReferencePair(pair.source, pair.translation));
    const qint64 referenceNs = timer.nsecsElapsed();

    QList<SourceParts> parts;
    parts.reserve(count);
    timer.restart();
    for (const QString &source : std::as_const(todoSources))
        parts.append(rules.SplitSourceParts(source));
    const qint64 todoNs = timer.nsecsElapsed();

    qsizetype scriptChars = 0;
    timer.restart();
    for (const ReferencePair &pair : std::as_const(reduced))
        scriptChars += Sql::rowR(pair.r1, pair.r2).size();
    const qint64 rowRNs = timer.nsecsElapsed();
    timer.restart();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const SourceParts &p = parts.at(i);
        scriptChars += Sql::rowS(todoSources.at(i), p.sh, p.sm, p.sk, p.st).size();
    }
    const qint64 rowSNs = timer.nsecsElapsed();

    out << "rules compiled in " << compileNs / 1000 << " us\n";
    out << "reference pairs: " << count << " in " << referenceNs / 1000000 << " ms, "
        << qint64(perSecond(count, referenceNs)) << " per second\n";
    out << "to-do sources:   " << count << " in " << todoNs / 1000000 << " ms, "
        << qint64(perSecond(count, todoNs)) << " per second\n";
    out << "rows of R built: " << qint64(perSecond(count, rowRNs)) << " per second\n";
    out << "rows of S built: " << qint64(perSecond(count, rowSNs)) << " per second\n";
    out << "sample: " << referencePairs.first().source << " | " << referencePairs.first().translation
        << " -> " << reduced.first().r1 << " | " << reduced.first().r2 << "\n";
    out << "(" << scriptChars << " script characters)\n";
    for (const auto &[todoMarker, referenceMarker] :
         {std::pair(u'&', u'&'), std::pair(u'_', u'_'), std::pair(u'_', u'&')})
        measureMarkers(out, todoMarker, referenceMarker, referencePairs, todoSources);
    return 0;
}
