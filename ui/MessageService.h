#pragma once

#include "ErrorReport.h"

#include <QString>

class QWidget;

// Every message box of the programs goes through this service, so that tests can
// answer them without a modal window ever blocking.
class MessageService {
public:
    enum class Icon { Critical, Question, Exclamation, Information };
    enum class Buttons { Ok, OkCancel, YesNoCancel };
    // The button the user pressed; NotAsked where a routine had nothing to ask.
    enum Answer { NotAsked, Ok, Cancel, Yes, No };

    virtual ~MessageService() = default;
    virtual Answer show(QWidget *parent, const QString &text, Buttons buttons, Icon icon) = 0;
    // A box with only OK that does not wait for it: work that runs while it is shown
    // goes on. The same text asked again brings its box to the front. Services that
    // answer at once need nothing else, so by default it is an OK box that is shown.
    virtual void notify(QWidget *parent, const QString &text, Icon icon) { show(parent, text, Buttons::Ok, icon); }

    static MessageService &instance();
    // Replaces the service (tests); nullptr restores the real message boxes.
    static void setInstance(MessageService *service);
};

// The critical box of a trapped error: "错误:", number, description and location.
void showErrorBox(QWidget *parent, const ErrorReport &report);
MessageService::Answer askUser(QWidget *parent, const QString &text, MessageService::Buttons buttons, MessageService::Icon icon);
void tellUser(QWidget *parent, const QString &text, MessageService::Icon icon);
