#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The settings of one open or save dialog, in the callers' terms.
struct FileDialogOptions {
    QString title;
    // Entries of the form "description|pattern;pattern".
    QStringList filters;
    // Counted from 1; 0 also preselects the first entry.
    int filterIndex = 1;
    // Without the leading ".".
    QString defaultExtension;
    // The folder the dialog opens in; empty leaves the choice to the service.
    QString startFolder;
};

struct FileDialogChoice {
    bool accepted = false;
    QString fileName;
    // The chosen entry, counted from 1; -1 after a cancelled open, 0 after a cancelled save.
    int filterIndex = 0;
};

// Every file dialog of the programs goes through this service so that tests can choose
// files without a modal window. The real one is a QFileDialog; open dialogs require an
// existing file, save dialogs ask before overwriting.
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    virtual FileDialogChoice open(QWidget *parent, const FileDialogOptions &options) = 0;
    virtual FileDialogChoice save(QWidget *parent, const FileDialogOptions &options) = 0;

    static FileDialogService &instance();
    // Replaces the service (tests); nullptr restores the real dialogs.
    static void setInstance(FileDialogService *service);
};

FileDialogChoice ShowOpenDialog(QWidget *parent, const FileDialogOptions &options);
FileDialogChoice ShowSaveDialog(QWidget *parent, const FileDialogOptions &options);

// "PASSOLO字典(*.glo)|*.glo" becomes "PASSOLO字典(*.glo) (*.glo)", the form Qt reads.
QString qtNameFilter(const QString &entry);
