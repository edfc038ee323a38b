#pragma once

class QApplication;
class QString;

// What both programs do first: Qt's own texts in Chinese (qtbase_zh_CN.qm), a CJK
// font for the windows, the program title and the program folder.
void setUpApplication(QApplication &app, const QString &title);
