#pragma once

#include <QString>

class QWidget;

// Opens the desktop's view of the folder that holds the path; never fails loudly.
void OpenContainingFolder(const QString &path);
// Opens a file or address with the desktop's default program.
bool openWithDesktop(const QString &fileOrUrl);
// Opens the manual shipped in the program's folder, or says that it cannot.
void openManual(QWidget *parent, const QString &fileName);
