#pragma once

#include <QString>

// What keeps a file named as input from being read, found before anything opens it:
// opening a FIFO would wait for a writer for ever, and a device, a socket or a folder
// is no dictionary.
enum class InputProblem { None, Missing, NotRegular, Unreadable };

namespace InputRole {
const QString Todo = QStringLiteral("未译字典");
const QString Reference = QStringLiteral("参照字典");
// A file read for itself, as one to check.
const QString File = QStringLiteral("文件");
}

InputProblem inputProblem(const QString &path);
// "参照字典不存在" and the like; empty for no problem.
QString inputProblemText(InputProblem problem, const QString &role);
// Raises the error that names the role, what keeps the file from being read and the
// file: "参照字典不存在: /d/ref.glo".
void requireReadableInput(const QString &path, const QString &role);
// "不能检测出“参照字典”的文件格式"
QString unrecognisedFormatText(const QString &role);
