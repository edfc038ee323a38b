#pragma once

#include <QString>

// Opens the desktop's view of the folder that holds the path; never fails loudly.
void OpenContainingFolder(const QString &path);
// Opens a file or address with the desktop's default program.
bool openWithDesktop(const QString &fileOrUrl);
