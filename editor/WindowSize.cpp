#include "WindowSize.h"

#include "FormPosition.h"
#include "cInifile.h"
#include "NumericText.h"

#include <QWidget>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <utility>

namespace WindowSize {

namespace {

const QString Section = QStringLiteral("wndsize");
const QString StateKey = QStringLiteral("state");
constexpr int IntMinimum = std::numeric_limits<int>::min();
constexpr int IntMaximum = std::numeric_limits<int>::max();

enum State { Normal = 0, Minimised = 1, Maximised = 2 };

std::optional<int> readPixels(cInifile &ini, const QString &key)
{
    const std::optional<int> twips = wholeNumberValue(ini.value(key), IntMinimum, IntMaximum);
    if (!twips)
        return std::nullopt;
    return static_cast<int>(std::lround(double(*twips) / TwipsPerPixel));
}

int stateOf(const QWidget &window)
{
    if (window.isMinimized())
        return Minimised;
    return window.isMaximized() ? Maximised : Normal;
}

Qt::WindowStates windowStateOf(int state)
{
    if (state == Minimised)
        return Qt::WindowMinimized;
    return state == Maximised ? Qt::WindowMaximized : Qt::WindowNoState;
}

}

void load(QWidget &window, const QString &iniPath)
{
    cInifile ini(iniPath, Section);
    using Apply = std::function<void(int)>;
    const std::pair<QString, Apply> steps[] = {
        {QStringLiteral("left"), [&](int x) { window.move(x, window.y()); }},
        {QStringLiteral("top"), [&](int y) { window.move(window.x(), y); }},
        {QStringLiteral("width"), [&](int width) { window.resize(width, window.height()); }},
        {QStringLiteral("height"), [&](int height) { window.resize(window.width(), height); }},
    };
    for (const auto &[key, apply] : steps) {
        const std::optional<int> pixels = readPixels(ini, key);
        if (!pixels)
            return;
        apply(*pixels);
    }
    const std::optional<int> state = wholeNumberValue(ini.value(StateKey), IntMinimum, IntMaximum);
    if (state)
        window.setWindowState(windowStateOf(*state));
}

void save(const QWidget &window, const QString &iniPath)
{
    cInifile ini(iniPath, Section);
    const int state = stateOf(window);
    if (state == Normal) {
        ini.setValue(QStringLiteral("left"), QString::number(window.x() * TwipsPerPixel));
        ini.setValue(QStringLiteral("top"), QString::number(window.y() * TwipsPerPixel));
        ini.setValue(QStringLiteral("width"), QString::number(window.width() * TwipsPerPixel));
        ini.setValue(QStringLiteral("height"), QString::number(window.height() * TwipsPerPixel));
    }
    ini.setValue(StateKey, QString::number(state));
}

}
