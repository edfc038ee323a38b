#pragma once

// Helpers for driving the editor's dialogs: controls by object name, and showing a
// dialog the way the editor does, so that its first activation has run.

#include <QCoreApplication>
#include <QDialog>
#include <QTest>

template <typename T>
T *control(const QWidget &form, const QString &name)
{
    T *found = form.findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

inline bool showDialog(QDialog &dialog)
{
    dialog.show();
    if (!QTest::qWaitForWindowActive(&dialog))
        return false;
    QCoreApplication::processEvents();
    return true;
}
