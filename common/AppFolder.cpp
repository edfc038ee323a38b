#include "AppFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString g_folder;

QString withSeparator(const QString &folder)
{
    QString path = QDir::fromNativeSeparators(QFileInfo(folder).absoluteFilePath());
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}
}

namespace AppFolder {

QString path()
{
    if (g_folder.isEmpty())
        initialise();
    return g_folder;
}

void set(const QString &folder)
{
    QDir().mkpath(folder);
    g_folder = withSeparator(folder);
}

void initialise()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    // An installed program lives under /usr, writable or not (root): its settings and
    // work files belong to the user, not beside the program.
    const bool installed = programFolder.startsWith(QStringLiteral("/usr/"));
    if (!programFolder.isEmpty() && !installed && QFileInfo(programFolder).isWritable()) {
        set(programFolder);
        return;
    }
    set(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString file(const QString &name)
{
    return path() + name;
}

}
