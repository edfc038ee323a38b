#pragma once

// The title a window manager shows: under xcb (the Xvfb runs) read back from the X
// server with xprop; other platforms show the window's own title.

#include <QGuiApplication>
#include <QProcess>
#include <QWidget>

inline QString platformTitle(QWidget &window)
{
    if (QGuiApplication::platformName() != u"xcb")
        return window.windowTitle();
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-id"), QString::number(window.winId()), QStringLiteral("_NET_WM_NAME")});
    xprop.waitForFinished();
    // _NET_WM_NAME(UTF8_STRING) = "title"
    const QString line = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype quote = line.indexOf(u'"');
    return quote < 0 ? line : line.mid(quote + 1).chopped(1);
}
