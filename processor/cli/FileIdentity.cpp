#include "FileIdentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

QString resolvedPath(const QString &path)
{
    QString existing = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    while (!QFileInfo::exists(existing) && existing != u"/") {
        rest = u'/' + QFileInfo(existing).fileName() + rest;
        existing = QFileInfo(existing).absolutePath();
    }
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    if (rest.isEmpty())
        return canonical;
    return canonical == u"/" ? rest : canonical + rest;
}

bool liesWithin(const QString &path, const QString &folder)
{
    const QString inner = resolvedPath(path);
    const QString outer = resolvedPath(folder);
    return inner == outer || inner.startsWith(outer + u'/');
}

std::optional<QString> fileIdentity(const QString &path)
{
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return QStringLiteral("%1:%2").arg(info.st_dev).arg(info.st_ino);
}

bool sameFile(const QString &a, const QString &b)
{
    const std::optional<QString> first = fileIdentity(a);
    return first && first == fileIdentity(b);
}
