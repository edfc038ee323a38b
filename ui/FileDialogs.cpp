#include "FileDialogs.h"

#include "AppFolder.h"
#include "FormPosition.h"
#include "cInifile.h"

#include <QDir>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>

#include <optional>

namespace {

// Wide enough for the name, size, type and date columns beside the side bar.
constexpr int DefaultWidth = 900;
constexpr int DefaultHeight = 540;

QString g_settingsFile;

// The section in which one dialog title keeps its last folder and size.
std::optional<cInifile> memoryOf(const QString &title)
{
    if (g_settingsFile.isEmpty())
        return std::nullopt;
    return cInifile(AppFolder::file(g_settingsFile), QStringLiteral("FileDialog.") + title);
}

QString rememberedFolder(const QString &title)
{
    std::optional<cInifile> memory = memoryOf(title);
    const QString folder = memory ? memory->value(QStringLiteral("Folder")) : QString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

int rememberedPixels(std::optional<cInifile> &memory, const QString &key, int fallback)
{
    if (!memory)
        return fallback;
    const int twips = cInifile::CLngDefault(memory->value(key), 0);
    return twips > 0 ? twips / TwipsPerPixel : fallback;
}

QSize rememberedSize(const QString &title)
{
    std::optional<cInifile> memory = memoryOf(title);
    QSize size(rememberedPixels(memory, QStringLiteral("Width"), DefaultWidth),
               rememberedPixels(memory, QStringLiteral("Height"), DefaultHeight));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size());
    return size;
}

// Qt sizes the columns for short English texts: the size, type and date columns are
// fitted to what a folder shows once it has been read, the names get the rest.
void fitColumnsOnLoad(QFileDialog &dialog)
{
    auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
    auto *model = dialog.findChild<QFileSystemModel *>();
    if (!view || !model)
        return;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, view, [view] {
        QHeaderView *header = view->header();
        int others = 0;
        for (int column = 1; column < header->count(); ++column) {
            view->resizeColumnToContents(column);
            others += header->sectionSize(column);
        }
        header->resizeSection(0, std::max(header->sectionSize(0), view->viewport()->width() - others));
    });
}

class QtFileDialogService : public FileDialogService {
public:
    FileDialogChoice open(QWidget *parent, const FileDialogOptions &options) override
    {
        return run(parent, options, QFileDialog::AcceptOpen);
    }

    FileDialogChoice save(QWidget *parent, const FileDialogOptions &options) override
    {
        return run(parent, options, QFileDialog::AcceptSave);
    }

private:
    static FileDialogChoice run(QWidget *parent, const FileDialogOptions &options, QFileDialog::AcceptMode mode)
    {
        FileDialogRun dialog(parent, options, mode);
        dialog.dialog().exec();
        return dialog.finish();
    }
};

FileDialogService *g_service = nullptr;

}

FileDialogService &FileDialogService::instance()
{
    static QtFileDialogService real;
    return g_service ? *g_service : real;
}

void FileDialogService::setInstance(FileDialogService *service)
{
    g_service = service;
}

FileDialogChoice ShowOpenDialog(QWidget *parent, const FileDialogOptions &options)
{
    return FileDialogService::instance().open(parent, options);
}

FileDialogChoice ShowSaveDialog(QWidget *parent, const FileDialogOptions &options)
{
    return FileDialogService::instance().save(parent, options);
}

FileDialogRun::FileDialogRun(QWidget *parent, const FileDialogOptions &options, QFileDialog::AcceptMode mode)
    : m_dialog(parent, options.title), m_options(options)
{
    // Qt's own dialog on every desktop: the same columns, size memory and Chinese texts.
    m_dialog.setOption(QFileDialog::DontUseNativeDialog);
    m_dialog.setAcceptMode(mode);
    m_dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    QStringList filters;
    for (const QString &entry : options.filters)
        filters.append(qtNameFilter(entry));
    m_dialog.setNameFilters(filters);
    m_dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (!filters.isEmpty())
        m_dialog.selectNameFilter(filters.value(std::max(options.filterIndex, 1) - 1));
    m_dialog.setDefaultSuffix(options.defaultExtension);
    m_dialog.setDirectory(options.startFolder.isEmpty() ? rememberedFolder(options.title) : options.startFolder);
    if (!options.fileName.isEmpty())
        m_dialog.selectFile(options.fileName);
    m_dialog.resize(rememberedSize(options.title));
    fitColumnsOnLoad(m_dialog);
}

FileDialogChoice FileDialogRun::finish()
{
    std::optional<cInifile> memory = memoryOf(m_options.title);
    if (memory && !m_dialog.isMaximized()) {
        memory->setValue(QStringLiteral("Width"), QString::number(m_dialog.width() * TwipsPerPixel));
        memory->setValue(QStringLiteral("Height"), QString::number(m_dialog.height() * TwipsPerPixel));
    }
    FileDialogChoice choice;
    choice.filterIndex = m_dialog.acceptMode() == QFileDialog::AcceptOpen ? -1 : 0;
    if (m_dialog.result() != QDialog::Accepted || m_dialog.selectedFiles().isEmpty())
        return choice;
    choice.accepted = true;
    choice.fileName = m_dialog.selectedFiles().constFirst();
    choice.filterIndex = chosenFilterIndex();
    if (memory)
        memory->setValue(QStringLiteral("Folder"), QFileInfo(choice.fileName).absolutePath());
    return choice;
}

// With the filter details hidden Qt 6.4 answers with the shortened entry, the description
// alone; either form names the entry.
int FileDialogRun::chosenFilterIndex() const
{
    const QString chosen = m_dialog.selectedNameFilter();
    for (qsizetype i = 0; i < m_options.filters.size(); ++i) {
        const QString &entry = m_options.filters[i];
        if (chosen == qtNameFilter(entry) || chosen.simplified() == entry.section(u'|', 0, 0).simplified())
            return int(i) + 1;
    }
    return std::max(m_options.filterIndex, 1);
}

void setFileDialogSettingsFile(const QString &iniFileName)
{
    g_settingsFile = iniFileName;
}

QString qtNameFilter(const QString &entry)
{
    const qsizetype bar = entry.indexOf(u'|');
    if (bar < 0)
        return entry;
    QStringList patterns = entry.mid(bar + 1).split(u';');
    // "*.*" means every file; here many names carry no dot at all.
    for (QString &pattern : patterns) {
        if (pattern == u"*.*")
            pattern = QStringLiteral("*");
    }
    return entry.left(bar) + QStringLiteral(" (") + patterns.join(u' ') + u')';
}
