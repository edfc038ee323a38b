#include "FileDialogs.h"

#include <QFileDialog>

namespace {

class QtFileDialogService : public FileDialogService {
public:
    FileDialogChoice open(QWidget *parent, const FileDialogOptions &options) override
    {
        QFileDialog dialog(parent, options.title);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        return run(dialog, options, -1);
    }

    FileDialogChoice save(QWidget *parent, const FileDialogOptions &options) override
    {
        QFileDialog dialog(parent, options.title);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        return run(dialog, options, 0);
    }

private:
    static FileDialogChoice run(QFileDialog &dialog, const FileDialogOptions &options, int cancelledIndex)
    {
        QStringList filters;
        for (const QString &entry : options.filters)
            filters.append(qtNameFilter(entry));
        dialog.setNameFilters(filters);
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        if (!filters.isEmpty())
            dialog.selectNameFilter(filters.value(std::max(options.filterIndex, 1) - 1));
        dialog.setDefaultSuffix(options.defaultExtension);
        if (!options.startFolder.isEmpty())
            dialog.setDirectory(options.startFolder);
        FileDialogChoice choice;
        choice.filterIndex = cancelledIndex;
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return choice;
        choice.accepted = true;
        choice.fileName = dialog.selectedFiles().constFirst();
        choice.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
        return choice;
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

QString qtNameFilter(const QString &entry)
{
    const qsizetype bar = entry.indexOf(u'|');
    if (bar < 0)
        return entry;
    QString patterns = entry.mid(bar + 1);
    patterns.replace(u';', u' ');
    return entry.left(bar) + QStringLiteral(" (") + patterns + u')';
}
