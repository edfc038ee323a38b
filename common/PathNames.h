#pragma once

#include <QString>

// The path up to its last "." (searched over the whole path, folders included)
// followed by the new extension, which brings its own "." (".sql") or other text.
// A path without any "." keeps its whole text.
QString ChangeExtension(const QString &path, const QString &newExtension);
