#pragma once

class cInifile;
class QWidget;

// A window's position in the current section of an INI file: "Maximised" and, for a
// normal window, "Left", "Top", "Width", "Height" in twips (pixels x 15).
void SaveFormPosition(cInifile &ini, const QWidget *window);
// Missing or unreadable keys keep the window's current values; the window stays on screen.
void LoadFormPosition(cInifile &ini, QWidget *window, int minWidth = 0, int minHeight = 0);

constexpr int TwipsPerPixel = 15;
