#pragma once

#include <QString>

class QComboBox;

// The file drop-downs' histories, kept in the program's INI file under the section
// "<form name>.<combo box name>" (object names of the window and the box).
void LoadComboHistory(QComboBox *combo, const QString &iniPath);
void SaveComboHistory(QComboBox *combo, const QString &iniPath);
// Puts the text on top of the list (at most 8 entries) and into the edit field.
void AddComboHistory(QComboBox *combo, const QString &text);
