#pragma once

// Answers a file dialog through a real QFileDialog, set up and read back by the programs'
// own code: the test's filter entry and file name are chosen as a user would, then the
// dialog is accepted without a modal loop.

#include "FileDialogs.h"

#include <QFileInfo>

inline FileDialogChoice chooseInRealDialog(QWidget *parent, const FileDialogOptions &options,
                                           QFileDialog::AcceptMode mode, const QString &fileName, int filterIndex)
{
    FileDialogRun run(parent, options, mode);
    QFileDialog &dialog = run.dialog();
    if (filterIndex >= 1 && filterIndex <= dialog.nameFilters().size())
        dialog.selectNameFilter(dialog.nameFilters().at(filterIndex - 1));
    if (fileName.isEmpty()) {
        dialog.reject();
        return run.finish();
    }
    dialog.selectFile(fileName);
    // Qt's own checks would ask in a modal box (a missing file to open, a file to
    // overwrite): those cases are accepted as if the user had confirmed.
    // QFileDialog keeps both protected; through QDialog they reach its own checks.
    QDialog &base = dialog;
    const bool exists = QFileInfo::exists(dialog.selectedFiles().value(0));
    if (exists == (mode == QFileDialog::AcceptOpen))
        base.accept();
    else
        base.done(QDialog::Accepted);
    return run.finish();
}
