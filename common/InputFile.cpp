#include "InputFile.h"

#include "ErrorReport.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Errors::Number errorNumberOf(InputProblem problem)
{
    switch (problem) {
    case InputProblem::Missing: return Errors::FileNotFound;
    case InputProblem::Unreadable: return Errors::PermissionDenied;
    case InputProblem::NotRegular:
    case InputProblem::None: break;
    }
    return Errors::PathFileAccess;
}

}

InputProblem inputProblem(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (path.isEmpty() || ::stat(name.constData(), &info) != 0)
        return path.isEmpty() || errno == ENOENT || errno == ENOTDIR ? InputProblem::Missing : InputProblem::Unreadable;
    if (!S_ISREG(info.st_mode))
        return InputProblem::NotRegular;
    // Without waiting, should the file have been swapped for a FIFO since the look.
    const int file = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0)
        return InputProblem::Unreadable;
    const bool regular = ::fstat(file, &info) == 0 && S_ISREG(info.st_mode);
    ::close(file);
    return regular ? InputProblem::None : InputProblem::NotRegular;
}

QString inputProblemText(InputProblem problem, const QString &role)
{
    switch (problem) {
    case InputProblem::Missing: return QStringLiteral("%1不存在").arg(role);
    case InputProblem::NotRegular: return QStringLiteral("%1不是普通文件").arg(role);
    case InputProblem::Unreadable: return QStringLiteral("无法读取%1").arg(role);
    case InputProblem::None: break;
    }
    return QString();
}

void requireReadableInput(const QString &path, const QString &role)
{
    const InputProblem problem = inputProblem(path);
    if (problem != InputProblem::None)
        throw AppError(errorNumberOf(problem), inputProblemText(problem, role) + QStringLiteral(": ") + path);
}

QString unrecognisedFormatText(const QString &role)
{
    return QStringLiteral("不能检测出“%1”的文件格式").arg(role);
}
