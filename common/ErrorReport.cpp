#include "ErrorReport.h"

QString ErrorReport::boxText() const
{
    return QStringLiteral("错误:%1\r\n%2\r\n源代码位置: %3").arg(number).arg(description, location);
}

QString formLocation(const QString &form, const QString &procedure)
{
    return QStringLiteral("Form '%1' -> '%2'").arg(form, procedure);
}

QString classLocation(const QString &className, const QString &procedure)
{
    return QStringLiteral("Class Module '%1' -> '%2'").arg(className, procedure);
}

AppError::AppError(int number, const QString &description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
{
}

ErrorReport AppError::reportAt(const QString &location) const
{
    return {m_number, m_description, location};
}

namespace Errors {

QString describe(Number number)
{
    switch (number) {
    case InvalidCall: return QStringLiteral("无效的过程调用或参数");
    case Overflow: return QStringLiteral("溢出");
    case TypeMismatch: return QStringLiteral("类型不匹配");
    case FileNotFound: return QStringLiteral("文件未找到");
    case DiskFull: return QStringLiteral("磁盘已满");
    case InputPastEnd: return QStringLiteral("输入超出文件尾");
    case PermissionDenied: return QStringLiteral("拒绝的权限");
    case PathFileAccess: return QStringLiteral("路径/文件访问错误");
    case PathNotFound: return QStringLiteral("路径未找到");
    case InvalidPropertyValue: return QStringLiteral("无效属性值");
    case UserDefined: break;
    }
    return QStringLiteral("应用程序定义的错误或对象定义的错误");
}

void raise(Number number, const QString &detail)
{
    QString text = describe(number);
    if (!detail.isEmpty())
        text += QStringLiteral(": ") + detail;
    throw AppError(number, text);
}

void raiseText(const QString &description)
{
    throw AppError(UserDefined, description);
}

}
