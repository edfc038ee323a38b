#pragma once

#include "FileDialogs.h"

#include <QFileInfo>

// Answers a dialog through a real QFileDialog, set up and read back by the programs' own
// code: picks the entry and the file as a user would (no name cancels) and accepts without
// a modal loop. Where Qt would ask in a modal box (a missing file to open, a file to
// overwrite) the dialog is accepted as if the user had confirmed.
inline FileDialogChoice chooseInRealDialog(QWidget *parent, const FileDialogOptions &options,
                                           QFileDialog::AcceptMode mode, const QString &fileName, int filterIndex)
{
    FileDialogRun run(parent, options, mode);
    QFileDialog &dialog = run.dialog();
    QDialog &base = dialog; // QFileDialog keeps accept() and done() protected
    if (filterIndex >= 1 && filterIndex <= dialog.nameFilters().size())
        dialog.selectNameFilter(dialog.nameFilters().at(filterIndex - 1));
    dialog.selectFile(fileName);
    if (fileName.isEmpty())
        base.reject();
    else if (QFileInfo::exists(dialog.selectedFiles().value(0)) == (mode == QFileDialog::AcceptOpen))
        base.accept();
    else
        base.done(QDialog::Accepted);
    return run.finish();
}
