#include "ShellActions.h"

#include "MessageService.h"

#include <QCoreApplication>
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

void openManual(QWidget *parent, const QString &fileName)
{
    const QString manual = QCoreApplication::applicationDirPath() + u'/' + fileName;
    if (!QFileInfo::exists(manual) || !openWithDesktop(manual))
        askUser(parent, QStringLiteral("无法打开使用说明:\r\n") + manual, MessageService::Buttons::Ok,
                MessageService::Icon::Exclamation);
}
