#pragma once

#include <QWidget>

// A named control of a window or dialog; a test cannot go on without it.
template <typename T = QWidget>
T *control(const QWidget &form, const QString &name)
{
    T *found = form.findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}
