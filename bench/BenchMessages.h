#pragma once

#include "MessageService.h"

#include <cstdio>

// Prints what would have been a message box, so that nothing waits for a click.
class PrintingMessages : public MessageService {
public:
    Answer show(QWidget *, const QString &text, Buttons, Icon) override
    {
        std::printf("message: %s\n", qPrintable(text));
        ++shown;
        return Ok;
    }
    int shown = 0;
};
