#include "FormPosition.h"

#include "cInifile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// A stored twips value in pixels, or the fallback when the key is missing or unreadable.
int readTwips(cInifile &ini, const QString &key, int fallbackPixels)
{
    return cInifile::CLngDefault(ini.value(key), fallbackPixels * TwipsPerPixel) / TwipsPerPixel;
}

}

void SaveFormPosition(cInifile &ini, const QWidget *window)
{
    if (window->isMinimized())
        return;
    const QString key = ini.key();
    ini.setValue(QStringLiteral("Maximised"), window->isMaximized() ? QStringLiteral("1") : QStringLiteral("0"));
    if (!window->isMaximized()) {
        const QRect frame = window->geometry();
        ini.setValue(QStringLiteral("Left"), QString::number(frame.x() * TwipsPerPixel));
        ini.setValue(QStringLiteral("Top"), QString::number(frame.y() * TwipsPerPixel));
        ini.setValue(QStringLiteral("Width"), QString::number(frame.width() * TwipsPerPixel));
        ini.setValue(QStringLiteral("Height"), QString::number(frame.height() * TwipsPerPixel));
    }
    ini.setKey(key);
}

void LoadFormPosition(cInifile &ini, QWidget *window, int minWidth, int minHeight)
{
    const QString key = ini.key();
    const QString fallback = ini.defaultValue();
    ini.setDefault(QStringLiteral("FAIL"));
    const QRect current = window->geometry();
    QRect wanted(readTwips(ini, QStringLiteral("Left"), current.x()), readTwips(ini, QStringLiteral("Top"), current.y()),
                 std::max(readTwips(ini, QStringLiteral("Width"), current.width()), minWidth),
                 std::max(readTwips(ini, QStringLiteral("Height"), current.height()), minHeight));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        wanted.setSize(wanted.size().boundedTo(area.size()));
        wanted.moveLeft(std::clamp(wanted.left(), area.left(), area.right() - wanted.width() + 1));
        wanted.moveTop(std::clamp(wanted.top(), area.top(), area.bottom() - wanted.height() + 1));
    }
    window->setGeometry(wanted);
    if (cInifile::CLngDefault(ini.value(QStringLiteral("Maximised")), 0) != 0)
        window->showMaximized();
    ini.setKey(key);
    ini.setDefault(fallback);
}
