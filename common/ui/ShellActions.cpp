#include "ShellActions.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

void OpenContainingFolder(const QString &path)
{
    if (path.isEmpty())
        return;
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (folder.isDir())
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder.absoluteFilePath()));
}

bool openWithDesktop(const QString &fileOrUrl)
{
    const QUrl url = QFileInfo::exists(fileOrUrl) ? QUrl::fromLocalFile(fileOrUrl) : QUrl(fileOrUrl);
    return QDesktopServices::openUrl(url);
}
