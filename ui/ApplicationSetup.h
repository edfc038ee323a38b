#pragma once

class QApplication;
class QString;

// What both programs do first: Qt's own texts in Chinese (qtbase_zh_CN.qm), a CJK
// font for the windows, the program title and the program folder; the file dialogs keep
// their folders and sizes in the program's INI file, named after the title.
void setUpApplication(QApplication &app, const QString &title);
