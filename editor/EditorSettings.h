#pragma once

#include <QString>

// The editor's settings and the files it keeps in the program folder, one place for
// each key and its default.
namespace EditorSettings {

// The editor's name in captions and boxes.
QString programTitle();

// "Quillet.ini"
QString iniPath();
// "layout.cfg": the window's saved arrangement of bars and panes.
QString layoutPath();

// Saving writes only the document's own file, no companion. Read from the INI file at
// every use; a value that is no number and no True/False counts as off.
bool noSaveExtra();
void setNoSaveExtra(bool on);

// How often the unsaved changes of the open document are written to its recovery file,
// in seconds from 1 to 3600 (default 60). A value out of range or no number is the default.
int recoverySeconds();
void setRecoverySeconds(int seconds);
// The folder of the recovery files, apart from the documents.
QString recoveryFolder();

// Delete the layout file at the next shut-down instead of saving it. Off at every start.
bool resetLayoutOnExit();
void setResetLayoutOnExit(bool on);

}
