#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

// The settings of one open or save dialog, in the callers' terms.
struct FileDialogOptions {
    QString title;
    // Entries of the form "description|pattern;pattern".
    QStringList filters;
    // Counted from 1; 0 also preselects the first entry.
    int filterIndex = 1;
    // Without the leading ".".
    QString defaultExtension;
    // The folder the dialog opens in; empty opens the folder of the last file chosen in a
    // dialog of the same title.
    QString startFolder;
    // The name the dialog offers, in that folder.
    QString fileName;
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

// One real dialog, set up from the options and read back after it closed; the service
// runs it modally in between, tests choose and accept without a modal loop.
class FileDialogRun {
public:
    FileDialogRun(QWidget *parent, const FileDialogOptions &options, QFileDialog::AcceptMode mode);
    FileDialogRun(const FileDialogRun &) = delete;
    FileDialogRun &operator=(const FileDialogRun &) = delete;

    QFileDialog &dialog() { return m_dialog; }
    // The choice; the folder of an accepted file and the dialog's size are kept for the
    // next dialog of the same title.
    FileDialogChoice finish();

private:
    int chosenFilterIndex() const;

    QFileDialog m_dialog;
    FileDialogOptions m_options;
};

// The INI file, by name in the program folder, in which every dialog title keeps its
// last folder and size; without one nothing is kept.
void setFileDialogSettingsFile(const QString &iniFileName);

// "PASSOLO字典(*.glo)|*.glo" becomes "PASSOLO字典(*.glo) (*.glo)", the form Qt reads.
QString qtNameFilter(const QString &entry);
