#pragma once

#include <QString>

class QWidget;

// The main window's position in the section "wndsize" of the editor's INI file: "left",
// "top", "width", "height" in twips (pixels x 15), kept only from a normal window, and
// "state": 0 normal, 1 minimised, 2 maximised.
namespace WindowSize {

// A missing or non-numeric value ends the restore there; the values before it stay.
void load(QWidget &window, const QString &iniPath);
void save(const QWidget &window, const QString &iniPath);

}
