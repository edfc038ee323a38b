#include "PathNames.h"

QString ChangeExtension(const QString &path, const QString &newExtension)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return (dot < 0 ? path : path.left(dot)) + newExtension;
}
