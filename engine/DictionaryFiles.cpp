#include "DictionaryFiles.h"

#include "PathNames.h"

namespace DictionaryFiles {

SaveFormat saveFormat(const QString &path)
{
    const QString ending = path.right(4).toLower();
    if (ending == u".glo")
        return SaveFormat::Glossary;
    if (ending == u".txt")
        return SaveFormat::TwoLineText;
    if (ending == u".csv")
        return SaveFormat::TableText;
    return SaveFormat::None;
}

QString companionPath(const QString &path)
{
    switch (saveFormat(path)) {
    case SaveFormat::Glossary: return ChangeExtension(path, QStringLiteral(".a.csv"));
    case SaveFormat::TwoLineText: return ChangeExtension(path, QStringLiteral(".csv"));
    case SaveFormat::TableText: return ChangeExtension(path, QStringLiteral(".txt"));
    case SaveFormat::None: break;
    }
    return QString();
}

}
