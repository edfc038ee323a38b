// Imports a reference into an open two-line document through Quillet's real window and
// import dialog, headless, and runs the same job through tallyra-cli on the same files;
// prints both times and whether the saved document equals the processor's result.
//
//   bench_editor_import [--entries N] [--repeat R] [--cli PATH] [--data DIR]
//
// N defaults to 100000; the reference has as many entries. The two jobs run R times in
// turn (default 1) and the best times are printed, which keeps other load on the machine
// out of the figures as far as possible. PATH defaults to the tallyra-cli of this build
// tree. The files are written under DIR (default: a temporary folder) and the work files
// of both jobs go to folders of their own below it.

#include "AppFolder.h"
#include "BenchDictionaries.h"
#include "FileDialogs.h"
#include "BenchMessages.h"
#include "OptionsFrame.h"
#include "cCtrlFlexGrid.h"
#include "frmImport.h"
#include "frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

// The dialog asks for its reference when it opens; the benchmark types it instead.
class NoFileDialogs : public FileDialogService {
public:
    FileDialogChoice open(QWidget *, const FileDialogOptions &) override { return {}; }
    FileDialogChoice save(QWidget *, const FileDialogOptions &) override { return {}; }
};

struct EditorFigures {
    qint64 openMs = 0;
    qint64 importMs = 0;
    int rows = 0;
    int review = 0;
    QStringList stages;
};

EditorFigures importInEditor(const BenchDictionaries::Files &files, const QString &appFolder)
{
    AppFolder::set(appFolder);
    frmMain window;
    window.show();
    EditorFigures figures;
    QElapsedTimer clock;
    clock.start();
    if (!window.ActFileOpen(files.todo))
        qFatal("cannot open %s", qPrintable(files.todo));
    figures.openMs = clock.elapsed();

    frmImport dialog(window.session(), window.gridController(), &window);
    dialog.show();
    QCoreApplication::processEvents();
    dialog.findChild<QComboBox *>(QStringLiteral("cboRefer"))->setEditText(files.reference);
    // The full preset as tallyra-cli --full takes it: a fresh INI file limits lengths to 50.
    dialog.options()->CfgLoadMaxToCtrl();
    clock.restart();
    dialog.findChild<QPushButton *>(QStringLiteral("cmdStart"))->click();
    figures.importMs = clock.elapsed();
    for (int stage = 0; stage < 5; ++stage)
        figures.stages.append(dialog.findChild<QLabel *>(QStringLiteral("lblState%1").arg(stage))->text());

    const cCtrlFlexGrid &grid = window.gridController();
    figures.rows = grid.rows() - 1;
    for (int row = 1; row < grid.rows(); ++row)
        figures.review += grid.textMatrix(row, GridModel::Status) == u"复查";
    dialog.close();
    window.SaveDocument(QDir(appFolder).filePath(QStringLiteral("../quillet.u.txt")));
    return figures;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint64 runCli(const QString &cli, const BenchDictionaries::Files &files, const QString &folder)
{
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(cli, {QStringLiteral("--todo"), files.todo, QStringLiteral("--reference"), files.reference,
                        QStringLiteral("--output"), QDir(folder).filePath(QStringLiteral("result.u.txt")),
                        QStringLiteral("--full"), QStringLiteral("--app-folder"), QDir(folder).filePath(QStringLiteral("cli"))});
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        qFatal("tallyra-cli failed");
    return clock.elapsed();
}

}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("entries"), QStringLiteral("Entries of the document."), QStringLiteral("N"),
                      QStringLiteral("100000")});
    parser.addOption({QStringLiteral("repeat"), QStringLiteral("Runs of each job."), QStringLiteral("R"),
                      QStringLiteral("1")});
    parser.addOption({QStringLiteral("cli"), QStringLiteral("The tallyra-cli to compare with."), QStringLiteral("PATH"),
                      QCoreApplication::applicationDirPath() + QStringLiteral("/../processor/tallyra-cli")});
    parser.addOption({QStringLiteral("data"), QStringLiteral("Folder for the files."), QStringLiteral("DIR")});
    parser.process(app);

    const qint64 entries = parser.value(QStringLiteral("entries")).toLongLong();
    QTemporaryDir temporary;
    const QString folder = parser.isSet(QStringLiteral("data")) ? parser.value(QStringLiteral("data")) : temporary.path();
    QDir().mkpath(folder);
    const BenchDictionaries::Files files =
        BenchDictionaries::write(folder, BenchDictionaries::Format::TwoLineText, {entries, entries});

    PrintingMessages messages;
    NoFileDialogs dialogs;
    MessageService::setInstance(&messages);
    FileDialogService::setInstance(&dialogs);
    EditorFigures editor;
    qint64 cliMs = 0;
    for (int run = 0; run < std::max(1, parser.value(QStringLiteral("repeat")).toInt()); ++run) {
        const EditorFigures figures = importInEditor(files, QDir(folder).filePath(QStringLiteral("editor")));
        if (run == 0 || figures.importMs < editor.importMs)
            editor = figures;
        const qint64 ms = runCli(parser.value(QStringLiteral("cli")), files, folder);
        cliMs = run == 0 ? ms : std::min(cliMs, ms);
    }
    MessageService::setInstance(nullptr);
    FileDialogService::setInstance(nullptr);

    std::printf("document: %lld entries, reference: %lld entries (two-line text)\n", entries, entries);
    std::printf("Quillet open:          %lld ms\n", editor.openMs);
    std::printf("Quillet import:        %lld ms  (%d rows back, %d for review, %d message boxes)\n", editor.importMs,
                editor.rows, editor.review, messages.shown);
    std::printf("  its stages:          %s\n", qPrintable(editor.stages.join(QStringLiteral(" | "))));
    std::printf("tallyra-cli same job:  %lld ms  (whole process)\n", cliMs);
    const bool same = contents(QDir(folder).filePath(QStringLiteral("quillet.u.txt")))
        == contents(QDir(folder).filePath(QStringLiteral("result.u.txt")));
    std::printf("saved document equals the processor's result: %s\n", same ? "yes" : "no");
    return messages.shown == 0 && editor.rows == entries && same ? 0 : 1;
}
