#pragma once

#include <QString>

#include <optional>

// The path with "." and ".." taken out and every symbolic link of the part that
// exists resolved, so that two names of one place compare equal even before the
// place exists.
QString resolvedPath(const QString &path);
// Whether the path is the folder or lies below it, both resolved.
bool liesWithin(const QString &path, const QString &folder);
// The device and inode of an existing file, which tell it under any of its names.
std::optional<QString> fileIdentity(const QString &path);
// Whether the two names lead to one existing file.
bool sameFile(const QString &a, const QString &b);
