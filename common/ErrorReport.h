#pragma once

#include <QString>
#include <stdexcept>

// A run-time error as the windows report it: the number and description of the
// failure plus the place that trapped it ("Class Module 'clsDikGLO1' -> 'DoItNow'").
struct ErrorReport {
    int number = 0;
    QString description;
    QString location;

    // "错误:62\r\n输入超出文件尾\r\n源代码位置: Form 'frmMain' -> 'LoadASCIIText'"
    QString boxText() const;
};

QString formLocation(const QString &form, const QString &procedure);
QString classLocation(const QString &className, const QString &procedure);

// Thrown by routines that cannot go on; the trapping procedure adds the location.
class AppError : public std::runtime_error {
public:
    AppError(int number, const QString &description);
    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    ErrorReport reportAt(const QString &location) const;

private:
    int m_number;
    QString m_description;
};

// The error numbers and descriptions the system reports for file and value faults.
namespace Errors {
enum Number {
    InvalidCall = 5,
    Overflow = 6,
    TypeMismatch = 13,
    FileNotFound = 53,
    DiskFull = 61,
    InputPastEnd = 62,
    PermissionDenied = 70,
    PathFileAccess = 75,
    PathNotFound = 76,
    InvalidPropertyValue = 380,
    UserDefined = 1000,
};

[[noreturn]] void raise(Number number, const QString &detail = QString());
// An error that carries only a Chinese description (the routine could not go on).
[[noreturn]] void raiseText(const QString &description);
QString describe(Number number);
}
