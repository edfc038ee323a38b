#pragma once

#include <QString>

// The folder that holds INI files, work files and "POLOLID.ini", always ending in "/".
// By default the program's own folder when it is writable (portable use), otherwise a
// per-user data folder. Programs and tests may set it explicitly.
namespace AppFolder {
QString path();
void set(const QString &folder);
// Picks the default from the running program's location.
void initialise();
// path() + name
QString file(const QString &name);
}
