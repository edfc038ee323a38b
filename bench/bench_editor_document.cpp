// Opens, groups, ungroups and saves a generated two-line dictionary through Quillet's
// real window, headless, and prints each time next to the time iconv takes to convert
// the same file (the floor of reading it) and the peak memory. Then the history: the
// memory 1,000 committed translations add, and replace-all over every entry (plain and
// by a regular expression) with its undo. The quality checks run at every open; their
// one pass over the document is timed on its own too, and --no-checks switches every
// check off before the open, for the open without them.
//
//   bench_editor_document [entries] [--no-checks]        (default 1000000)

#include "AppFolder.h"
#include "EditorSettings.h"
#include "checks/CheckSettings.h"
#include "checks/Checker.h"
#include "BenchMessages.h"
#include "BenchMemory.h"
#include "DocumentSession.h"
#include "TranslationReplacer.h"
#include "cCtrlFlexGrid.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <algorithm>
#include <malloc.h>
#include <cstdio>
#include <functional>

namespace {

const char *const Verbs[] = {"Open", "Save", "Close", "Print", "Find", "Replace", "Delete", "Insert", "Export",
                             "Import", "Copy", "Paste", "Undo", "Redo", "Select", "Refresh", "Rename", "Move"};
const char *const Objects[] = {"file", "document", "window", "selection", "folder", "project", "settings",
                               "toolbar", "record", "image", "page", "table", "column", "message", "account"};
const char *const VerbsZh[] = {"打开", "保存", "关闭", "打印", "查找", "替换", "删除", "插入", "导出",
                               "导入", "复制", "粘贴", "撤消", "重做", "选择", "刷新", "重命名", "移动"};
const char *const ObjectsZh[] = {"文件", "文档", "窗口", "选定内容", "文件夹", "项目", "设置",
                                 "工具栏", "记录", "图像", "页面", "表格", "列", "消息", "帐户"};

struct Strings {
    QString source;
    QString translation;
};

// Menu items, buttons, questions and status texts, a third still untranslated.
Strings uiStrings(quint32 seed)
{
    const auto verb = seed % std::size(Verbs);
    const auto object = (seed / 7) % std::size(Objects);
    const QString en = QString::fromLatin1(Verbs[verb]) + u' ' + QString::fromLatin1(Objects[object]);
    const QString zh = QString::fromUtf8(VerbsZh[verb]) + QString::fromUtf8(ObjectsZh[object]);
    Strings strings;
    switch (seed % 5) {
    case 0: strings = {u'&' + en + QStringLiteral("..."), zh + QStringLiteral("(&") + en.front() + QStringLiteral(")...")}; break;
    case 1: strings = {en + QStringLiteral("\\tCtrl+") + en.front(), zh + QStringLiteral("\\tCtrl+") + en.front()}; break;
    case 2: strings = {QStringLiteral("Do you want to ") + en.toLower() + QStringLiteral(" now?"),
                       QStringLiteral("现在要") + zh + QStringLiteral("吗？")}; break;
    case 3: strings = {QStringLiteral("Cannot ") + en.toLower() + QStringLiteral(": %s"),
                       QStringLiteral("无法") + zh + QStringLiteral(": %s")}; break;
    default: strings = {en, zh}; break;
    }
    if (seed % 3 == 0)
        strings.translation = strings.source;
    return strings;
}

// Entries are written in a scrambled order of their numbers, so that opening sorts.
void generate(const QString &path, int entries)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QStringEncoder encoder("GB18030");
    QString chunk;
    for (int i = 0; i < entries; ++i) {
        const quint32 number = static_cast<quint32>((static_cast<quint64>(i) * 7919) % static_cast<quint64>(entries)) + 1;
        const Strings strings = uiStrings(number * 2654435761u >> 7);
        chunk += QStringLiteral("\r\n%1:%2\r\n%3\r\n").arg(number).arg(strings.source, strings.translation);
        if (chunk.size() > (1 << 20)) {
            file.write(encoder.encode(chunk));
            chunk.clear();
        }
    }
    file.write(encoder.encode(chunk));
}

qint64 timeIconvOnce(const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    QProcess iconv;
    iconv.setStandardOutputFile(QProcess::nullDevice());
    iconv.start(QStringLiteral("iconv"), {QStringLiteral("-f"), QStringLiteral("GB18030"), QStringLiteral("-t"),
                                          QStringLiteral("UTF-8"), path});
    if (!iconv.waitForFinished(-1) || iconv.exitCode() != 0)
        qFatal("iconv failed");
    return timer.elapsed();
}

// The median of three runs, so that one disturbed run does not set the floor.
qint64 timeIconv(const QString &path)
{
    qint64 runs[] = {timeIconvOnce(path), timeIconvOnce(path), timeIconvOnce(path)};
    std::sort(std::begin(runs), std::end(runs));
    return runs[1];
}

// A line of /proc/self/status ("VmHWM" the peak, "VmRSS" the resident memory now), in kB.
qint64 memoryKb(const QByteArray &key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// The step's time with the window's pending work (layout, painting) included.
qint64 timed(const std::function<void()> &step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    QCoreApplication::processEvents();
    return timer.elapsed();
}

void report(const char *step, qint64 ms, qint64 floorMs)
{
    std::printf("%-8s %7lld ms  (%.1f x floor)\n", step, static_cast<long long>(ms),
                floorMs > 0 ? static_cast<double>(ms) / static_cast<double>(floorMs) : 0.0);
}

}

// 1,000 translations committed one by one on entries spread over the document, as a
// day's work adds them to the history.
void reportHistoryMemory(DocumentEdits &edits, qsizetype entries)
{
    constexpr int Steps = 1000;
    const qint64 before = memoryKb("VmRSS");
    const size_t heapBefore = mallinfo2().uordblks;
    for (int step = 0; step < Steps; ++step)
        edits.commitTranslation(static_cast<quint32>(static_cast<qint64>(step) * 997 % entries),
                                QStringLiteral("第 %1 次修改的译文").arg(step));
    const qint64 after = memoryKb("VmRSS");
    const double heapKb = static_cast<double>(mallinfo2().uordblks - heapBefore) / 1024;
    std::printf("%-8s %7.0f kB  (%d steps on the heap: +%.3f%% of %lld kB resident; resident +%lld kB)\n", "history",
                heapKb, edits.history().count(), 100.0 * heapKb / static_cast<double>(before),
                static_cast<long long>(before), static_cast<long long>(after - before));
}

void reportReplaceAll(DocumentEdits &edits, const GridModel &model, const char *step, const TranslationReplacer &replacer)
{
    int replaced = 0;
    const qint64 ms = timed([&] { replaced = edits.replaceTranslations(QStringLiteral("全部替换"), model.shownEntries(), replacer); });
    std::printf("%-8s %7lld ms  (%d entries changed)\n", step, static_cast<long long>(ms), replaced);
    std::printf("%-8s %7lld ms\n", "undo", static_cast<long long>(timed([&] { edits.history().undo(); })));
}

void switchChecksOff()
{
    Checker off;
    for (const auto &rule : off.rules())
        off.setEnabled(rule->id(), false);
    CheckSettings::save(EditorSettings::iniPath(), off);
}

// The pass of the checks over every entry, as an open makes it.
void reportChecks(const DictionaryDocument &document)
{
    DocumentChecks checks;
    checks.loadSettings(document);
    const qint64 ms = timed([&] { checks.checkAll(document); });
    std::printf("%-8s %7lld ms  (%lld entries with findings)\n", "checks", static_cast<long long>(ms),
                static_cast<long long>(checks.entriesWithFindings()));
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool checks = !arguments.contains(QStringLiteral("--no-checks"));
    const QStringList numbers = arguments.filter(QRegularExpression(QStringLiteral("^\\d+$")));
    const int entries = numbers.isEmpty() ? 1000000 : numbers.first().toInt();
    QTemporaryDir dir;
    AppFolder::set(dir.path());
    if (!checks)
        switchChecksOff();
    PrintingMessages messages;
    MessageService::setInstance(&messages);

    const QString path = dir.filePath(QStringLiteral("bench.a.txt"));
    generate(path, entries);
    std::printf("%d entries, %lld bytes of GB18030\n", entries, static_cast<long long>(QFile(path).size()));
    const qint64 floorMs = timeIconv(path);
    std::printf("%-8s %7lld ms  (iconv -f GB18030 -t UTF-8, median of 3)\n", "floor", static_cast<long long>(floorMs));

    frmMain window;
    window.show();
    QCoreApplication::processEvents();
    bool opened = false;
    report("open", timed([&] { opened = window.ActFileOpen(path); }), floorMs);
    if (!opened || window.gridController().rows() != entries + 1)
        qFatal("the dictionary did not open whole");
    if (checks)
        reportChecks(window.session().model().document());
    report("group", timed([&] { window.findChild<QAction *>(QStringLiteral("miVSort"))->trigger(); }), floorMs);
    report("ungroup", timed([&] { window.findChild<QAction *>(QStringLiteral("miVOrder"))->trigger(); }), floorMs);
    window.session().edits().setStatus({0}, QStringLiteral("复查"));
    report("save", timed([&] { window.SaveDocument(path); }), floorMs);
    if (window.isModified())
        qFatal("the save failed");
    std::printf("%-8s %lld kB\n", "peak", static_cast<long long>(memoryKb("VmHWM")));
    DocumentEdits &edits = window.session().edits();
    reportHistoryMemory(edits, entries);
    const GridModel &model = window.session().model();
    reportReplaceAll(edits, model, "replace", TranslationReplacer(QStringLiteral("文件"), QStringLiteral("档案"), false, false));
    reportReplaceAll(edits, model, "regex",
                     TranslationReplacer(QStringLiteral("^(打开|保存)(.+)$"), QStringLiteral("\\2\\1"), true, false));
    MessageService::setInstance(nullptr);
    return 0;
}
