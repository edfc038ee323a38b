#pragma once

// Realistic to-do and reference dictionaries of any size for the benchmarks: interface
// strings of a large office program (menu items, buttons, labels, messages) in both
// dictionary formats, GB18030, with the decorations real resources carry. About half
// of the to-do entries are findable in the reference, under other decorations.
// Everything follows from a fixed seed, so a size always gives the same files.

#include "TextFile.h"

#include <QDir>
#include <QString>

#include <array>
#include <cstdint>

namespace BenchDictionaries {

enum class Format { TwoLineText, Glossary };

struct Files {
    QString todo;
    QString reference;
};

struct Sizes {
    qint64 todoEntries = 0;
    qint64 referenceEntries = 0;
};

namespace Detail {

struct Word {
    const char16_t *english;
    const char16_t *chinese;
};

constexpr std::array<Word, 40> Verbs{{
    {u"Open", u"打开"},       {u"Save", u"保存"},       {u"Close", u"关闭"},     {u"Print", u"打印"},
    {u"Delete", u"删除"},     {u"Copy", u"复制"},       {u"Paste", u"粘贴"},     {u"Cut", u"剪切"},
    {u"Find", u"查找"},       {u"Replace", u"替换"},    {u"Insert", u"插入"},    {u"Import", u"导入"},
    {u"Export", u"导出"},     {u"Rename", u"重命名"},   {u"Refresh", u"刷新"},   {u"Select", u"选择"},
    {u"Edit", u"编辑"},       {u"Create", u"创建"},     {u"Remove", u"移除"},    {u"Add", u"添加"},
    {u"Show", u"显示"},       {u"Hide", u"隐藏"},       {u"Sort", u"排序"},      {u"Move", u"移动"},
    {u"Load", u"加载"},       {u"Send", u"发送"},       {u"Check", u"检查"},     {u"Update", u"更新"},
    {u"Restore", u"还原"},    {u"Apply", u"应用"},      {u"Reset", u"重置"},     {u"Merge", u"合并"},
    {u"Split", u"拆分"},      {u"Lock", u"锁定"},       {u"Unlock", u"解锁"},    {u"Compare", u"比较"},
    {u"Download", u"下载"},   {u"Upload", u"上传"},     {u"Preview", u"预览"},   {u"Convert", u"转换"},
}};

constexpr std::array<Word, 30> Adjectives{{
    {u"New", u"新"},             {u"Recent", u"最近的"},     {u"Selected", u"选定的"},
    {u"Current", u"当前"},       {u"Default", u"默认"},      {u"Hidden", u"隐藏的"},
    {u"Active", u"活动"},        {u"Previous", u"上一个"},   {u"Next", u"下一个"},
    {u"All", u"全部"},           {u"Empty", u"空"},          {u"Local", u"本地"},
    {u"Remote", u"远程"},        {u"Shared", u"共享"},       {u"Temporary", u"临时"},
    {u"Custom", u"自定义"},      {u"Advanced", u"高级"},     {u"Global", u"全局"},
    {u"Read-only", u"只读"},     {u"Linked", u"链接的"},     {u"Blank", u"空白"},
    {u"Original", u"原始"},      {u"Visible", u"可见的"},    {u"Invalid", u"无效的"},
    {u"Missing", u"缺少的"},     {u"Encrypted", u"加密的"},  {u"Compressed", u"压缩的"},
    {u"Printed", u"已打印的"},   {u"Unsaved", u"未保存的"},  {u"Modified", u"已修改的"},
}};

constexpr std::array<Word, 70> Nouns{{
    {u"File", u"文件"},          {u"Folder", u"文件夹"},     {u"Document", u"文档"},
    {u"Page", u"页"},            {u"Window", u"窗口"},       {u"Toolbar", u"工具栏"},
    {u"Menu", u"菜单"},          {u"Item", u"项目"},         {u"Record", u"记录"},
    {u"Table", u"表格"},         {u"Column", u"列"},         {u"Row", u"行"},
    {u"Cell", u"单元格"},        {u"Sheet", u"工作表"},      {u"Chart", u"图表"},
    {u"Image", u"图像"},         {u"Picture", u"图片"},      {u"Font", u"字体"},
    {u"Color", u"颜色"},         {u"Style", u"样式"},        {u"Template", u"模板"},
    {u"Layout", u"布局"},        {u"Field", u"字段"},        {u"Filter", u"筛选器"},
    {u"Report", u"报表"},        {u"Query", u"查询"},        {u"Database", u"数据库"},
    {u"Server", u"服务器"},      {u"Connection", u"连接"},   {u"Account", u"帐户"},
    {u"Password", u"密码"},      {u"User", u"用户"},         {u"Group", u"组"},
    {u"Message", u"消息"},       {u"Attachment", u"附件"},   {u"Contact", u"联系人"},
    {u"Calendar", u"日历"},      {u"Task", u"任务"},         {u"Project", u"项目"},
    {u"Profile", u"配置文件"},   {u"Setting", u"设置"},      {u"Option", u"选项"},
    {u"Printer", u"打印机"},     {u"Device", u"设备"},       {u"Driver", u"驱动程序"},
    {u"Network", u"网络"},       {u"Address", u"地址"},      {u"Bookmark", u"书签"},
    {u"Link", u"链接"},          {u"Comment", u"批注"},      {u"Note", u"注释"},
    {u"Section", u"节"},         {u"Paragraph", u"段落"},    {u"Border", u"边框"},
    {u"Shape", u"形状"},         {u"Macro", u"宏"},          {u"Script", u"脚本"},
    {u"Plugin", u"插件"},        {u"Language", u"语言"},     {u"Dictionary", u"词典"},
    {u"Entry", u"条目"},         {u"Version", u"版本"},      {u"Backup", u"备份"},
    {u"Archive", u"存档"},       {u"Certificate", u"证书"},  {u"Key", u"密钥"},
    {u"Session", u"会话"},       {u"Schedule", u"计划"},     {u"Log", u"日志"},
    {u"Index", u"索引"},
}};

constexpr std::array<const char16_t *, 12> Shortcuts{{u"Ctrl+O", u"Ctrl+S", u"Ctrl+Shift+S", u"F5", u"Alt+F4",
                                                      u"Ctrl+Z", u"Del", u"Ctrl+F", u"Ctrl+P", u"F1",
                                                      u"Shift+F10", u"Ctrl+Alt+Del"}};

// Bracket pairs around a Chinese accelerator suffix; most resources use parentheses.
constexpr std::array<std::array<char16_t, 2>, 4> Brackets{{{u'(', u')'}, {u'[', u']'}, {u'<', u'>'}, {u'{', u'}'}}};

// splitmix64: a fast generator whose streams are fixed by one 64-bit number, so any
// entry can be rebuilt from its index without the entries before it.
class Random {
public:
    explicit Random(std::uint64_t state) : m_state(state) {}
    static Random forEntry(std::uint64_t seed, std::uint64_t stream, qint64 index)
    {
        Random mixer(seed ^ (stream * 0xD1B54A32D192ED03ULL) ^ (std::uint64_t(index) * 0x9E3779B97F4A7C15ULL));
        return Random(mixer.next());
    }
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    qint64 below(qint64 count) { return qint64(next() % std::uint64_t(count)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename Array>
    const auto &pick(const Array &items) { return items[below(qint64(items.size()))]; }

private:
    std::uint64_t m_state;
};

struct Phrase {
    QString source;
    QString translation;
    // Whole sentences carry no accelerator, shortcut or colon.
    bool isMessage = false;
};

inline QString text(const char16_t *characters)
{
    return QString::fromUtf16(characters);
}

inline QString lowered(const Word &word)
{
    return text(word.english).toLower();
}

// The short forms, each once: a verb, a noun, verb and noun, adjective and noun.
constexpr qint64 ShortPhraseCount = qint64(Verbs.size() + Nouns.size() + Verbs.size() * Nouns.size()
                                           + Adjectives.size() * Nouns.size());

// A bare interface string (no accelerator, shortcut, outer spaces or trailing mark)
// with its translation. Short forms are enumerated, so that a large reference does
// not hold "Open" thousands of times over; longer ones are drawn at random from
// word lists large enough that they rarely repeat.
inline Phrase shortPhrase(qint64 k)
{
    const qint64 verbs = qint64(Verbs.size());
    const qint64 nouns = qint64(Nouns.size());
    if (k < verbs)
        return {text(Verbs[k].english), text(Verbs[k].chinese)};
    k -= verbs;
    if (k < nouns)
        return {text(Nouns[k].english), text(Nouns[k].chinese)};
    k -= nouns;
    if (k < verbs * nouns) {
        const Word &verb = Verbs[k / nouns];
        const Word &noun = Nouns[k % nouns];
        return {text(verb.english) + u' ' + text(noun.english), text(verb.chinese) + text(noun.chinese)};
    }
    k -= verbs * nouns;
    const Word &adjective = Adjectives[k / nouns];
    const Word &noun = Nouns[k % nouns];
    return {text(adjective.english) + u' ' + text(noun.english), text(adjective.chinese) + text(noun.chinese)};
}

inline Phrase mediumPhrase(Random &random)
{
    const Word &verb = random.pick(Verbs);
    const Word &adjective = random.pick(Adjectives);
    const Word &noun = random.pick(Nouns);
    const Word &other = random.pick(Nouns);
    switch (random.below(4)) {
    case 0:
        return {QStringLiteral("%1 %2 %3").arg(text(verb.english), text(adjective.english), text(noun.english)),
                text(verb.chinese) + text(adjective.chinese) + text(noun.chinese)};
    case 1:
        return {QStringLiteral("%1 %2 %3").arg(text(adjective.english), text(noun.english), text(other.english)),
                text(adjective.chinese) + text(noun.chinese) + text(other.chinese)};
    case 2:
        return {QStringLiteral("%1 %2 to %3").arg(text(verb.english), text(noun.english), text(other.english)),
                QStringLiteral("将%1%2到%3").arg(text(noun.chinese), text(verb.chinese), text(other.chinese))};
    default:
        return {QStringLiteral("%1 %2 %3 Properties").arg(text(adjective.english), text(noun.english), text(other.english)),
                QStringLiteral("%1%2%3属性").arg(text(adjective.chinese), text(noun.chinese), text(other.chinese))};
    }
}

inline Phrase message(Random &random)
{
    const Word &verb = random.pick(Verbs);
    const Word &adjective = random.pick(Adjectives);
    const Word &noun = random.pick(Nouns);
    const Word &other = random.pick(Nouns);
    const QString number = QString::number(1 + random.below(999));
    switch (random.below(5)) {
    case 0:
        return {QStringLiteral("Do you want to %1 the %2 %3 in %4 %5?")
                    .arg(lowered(verb), lowered(adjective), lowered(noun), lowered(other), number),
                QStringLiteral("是否要%1%4 %5 中的%2%3？")
                    .arg(text(verb.chinese), text(adjective.chinese), text(noun.chinese), text(other.chinese), number)};
    case 1:
        return {QStringLiteral("Cannot %1 the %2 %3 because the %4 is locked")
                    .arg(lowered(verb), lowered(adjective), lowered(noun), lowered(other)),
                QStringLiteral("无法%1%2%3，因为%4已锁定")
                    .arg(text(verb.chinese), text(adjective.chinese), text(noun.chinese), text(other.chinese))};
    case 2:
        return {QStringLiteral("Don't %1 the %2 %3 of %4 %5 again")
                    .arg(lowered(verb), lowered(adjective), lowered(noun), lowered(other), number),
                QStringLiteral("不再%1%4 %5 的%2%3")
                    .arg(text(verb.chinese), text(adjective.chinese), text(noun.chinese), text(other.chinese), number)};
    case 3:
        return {QStringLiteral("The %1 '%s' of %2 %3 could not be found")
                    .arg(lowered(noun), lowered(other), number),
                QStringLiteral("找不到%2 %3 的%1“%s”").arg(text(noun.chinese), text(other.chinese), number)};
    default:
        return {QStringLiteral("Unable to %1 %d %2 %3 items in %4 %5")
                    .arg(lowered(verb), lowered(adjective), lowered(noun), lowered(other), number),
                QStringLiteral("无法%1%4 %5 中的 %d 个%2%3项目")
                    .arg(text(verb.chinese), text(adjective.chinese), text(noun.chinese), text(other.chinese), number)};
    }
}

// A name of four words, a form the reference never holds.
inline Phrase longName(Random &random)
{
    const Word &adjective = random.pick(Adjectives);
    const Word &first = random.pick(Nouns);
    const Word &second = random.pick(Nouns);
    const Word &third = random.pick(Nouns);
    return {QStringLiteral("%1 %2 %3 %4")
                .arg(text(adjective.english), text(first.english), text(second.english), text(third.english)),
            text(adjective.chinese) + text(first.chinese) + text(second.chinese) + text(third.chinese)};
}

// The independent random streams of an entry: its phrase, its dressing in the
// reference, its dressing in the to-do dictionary.
constexpr std::uint64_t PhraseStream = 1;
constexpr std::uint64_t ReferenceStream = 2;
constexpr std::uint64_t TodoStream = 3;

// Phrase k of the endless phrase list; the reference holds phrases 0 to its size.
// The to-do dictionary's unfindable entries are long names (a form the reference
// never holds) and messages, which meet the reference only by rare chance.
inline Phrase phrase(std::uint64_t seed, qint64 k, bool unfindable)
{
    if (!unfindable && k < ShortPhraseCount)
        return shortPhrase(k);
    Random random = Random::forEntry(seed, PhraseStream, k);
    const bool named = random.chance(50);
    if (named)
        return unfindable ? longName(random) : mediumPhrase(random);
    Phrase sentence = message(random);
    sentence.isMessage = true;
    return sentence;
}

// The position of a letter that can carry the accelerator marker: never a space.
inline qsizetype acceleratorPosition(const QString &source, Random &random)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        const qsizetype at = random.below(std::min<qsizetype>(source.size(), 12));
        if (source.at(at).isLetter())
            return at;
    }
    return 0;
}

inline QString shortcut(Random &random)
{
    return QStringLiteral("\\t") + text(random.pick(Shortcuts));
}

// A reference entry as resources carry it: "Save &As...\tCtrl+S" with "另存为(&A)...\tCtrl+S".
inline Phrase dressReference(const Phrase &bare, Random &random)
{
    const bool isMessage = bare.isMessage;
    Phrase entry = bare;
    if (!isMessage && random.chance(60)) {
        const qsizetype at = acceleratorPosition(entry.source, random);
        const auto &brackets = random.chance(85) ? Brackets[0] : random.pick(Brackets);
        entry.source.insert(at, u'&');
        entry.translation += QChar(brackets[0]) + QStringLiteral("&") + entry.source.at(at + 1).toUpper()
            + QChar(brackets[1]);
    }
    if (!isMessage && random.chance(15)) {
        entry.source += u':';
        entry.translation += random.chance(70) ? u'：' : u':';
    } else if (random.chance(20)) {
        entry.source += QStringLiteral("...");
        entry.translation += random.chance(50) ? QStringLiteral("…") : QStringLiteral("...");
    }
    if (!isMessage && random.chance(20)) {
        const QString keys = shortcut(random);
        entry.source += keys;
        entry.translation += keys;
    }
    if (random.chance(4)) {
        const QString spaces(1 + random.below(2), u' ');
        entry.source = spaces + entry.source + spaces;
        entry.translation = spaces + entry.translation;
    }
    return entry;
}

// A to-do source: the same kinds of decoration, drawn afresh, so a findable entry
// usually meets its reference only after both were reduced.
inline QString dressTodo(const Phrase &bare, Random &random)
{
    const bool isMessage = bare.isMessage;
    QString source = bare.source;
    if (!isMessage && random.chance(55))
        source.insert(acceleratorPosition(source, random), u'&');
    if (!isMessage && random.chance(12))
        source += u':';
    else if (random.chance(18))
        source += QStringLiteral("...");
    if (random.chance(5))
        source = QString(1 + random.below(3), u' ') + source + QString(random.below(2), u' ');
    if (!isMessage && random.chance(25))
        source += shortcut(random);
    return source;
}

constexpr int FindablePercent = 50;
// To-do dictionaries of a program that was translated before hold a few finished entries.
constexpr int TranslatedPercent = 4;

inline Phrase referenceEntry(std::uint64_t seed, qint64 index)
{
    const Phrase bare = phrase(seed, index, false);
    Random random = Random::forEntry(seed, ReferenceStream, index);
    return dressReference(bare, random);
}

inline Phrase todoEntry(std::uint64_t seed, qint64 index, qint64 referenceEntries)
{
    Random random = Random::forEntry(seed, TodoStream, index);
    const bool findable = referenceEntries > 0 && random.chance(FindablePercent);
    const Phrase bare = findable ? phrase(seed, random.below(referenceEntries), false)
                                 : phrase(seed, referenceEntries + index, true);
    const QString source = dressTodo(bare, random);
    if (random.chance(TranslatedPercent))
        return {source, dressReference(bare, random).translation};
    return {source, source};
}

// Writes one dictionary entry by entry, in GB18030 with CR LF line ends.
class DictionaryWriter {
public:
    DictionaryWriter(const QString &path, Format format)
        : m_file(path, TextEncoding::Gb18030), m_format(format)
    {
        // PASSOLO glossaries name their languages in the first line: US English to
        // Simplified Chinese.
        if (format == Format::Glossary)
            m_file.lines().writeLine(QStringLiteral("9 1\t4 2"));
    }
    void write(qint64 number, const Phrase &entry)
    {
        LineWriter &lines = m_file.lines();
        if (m_format == Format::Glossary) {
            lines.writeRaw(entry.source);
            lines.writeRaw(u"\t");
            lines.writeLine(entry.translation);
            return;
        }
        lines.writeLine(QStringView());
        lines.writeRaw(QString::number(number));
        lines.writeRaw(u":");
        lines.writeLine(entry.source);
        lines.writeLine(entry.translation);
    }
    void commit() { m_file.commit(); }

private:
    TextFileWriter m_file;
    Format m_format;
};

}

constexpr std::uint64_t DefaultSeed = 20240917;

inline Files fileNames(const QString &folder, Format format)
{
    const QDir dir(folder);
    if (format == Format::Glossary)
        return {dir.filePath(QStringLiteral("todo.glo")), dir.filePath(QStringLiteral("reference.glo"))};
    return {dir.filePath(QStringLiteral("todo.u.txt")), dir.filePath(QStringLiteral("reference.a.txt"))};
}

// Writes a to-do dictionary of entries firstEntry onwards of the endless to-do list
// that belongs to a reference of the given size; several to-do files of one project
// are several slices of that list.
inline void writeTodo(const QString &path, Format format, Sizes sizes, std::uint64_t seed, qint64 firstEntry = 0)
{
    Detail::DictionaryWriter todo(path, format);
    for (qint64 i = 0; i < sizes.todoEntries; ++i)
        todo.write(i + 1, Detail::todoEntry(seed, firstEntry + i, sizes.referenceEntries));
    todo.commit();
}

// Writes the pair of dictionaries into the folder; returns their paths.
inline Files write(const QString &folder, Format format, Sizes sizes, std::uint64_t seed = DefaultSeed)
{
    QDir().mkpath(folder);
    const Files files = fileNames(folder, format);
    Detail::DictionaryWriter reference(files.reference, format);
    for (qint64 i = 0; i < sizes.referenceEntries; ++i)
        reference.write(i + 1, Detail::referenceEntry(seed, i));
    reference.commit();
    writeTodo(files.todo, format, sizes, seed);
    return files;
}

}
