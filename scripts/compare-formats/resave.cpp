// Opens a dictionary through Quillet's document session and saves it under every
// further name, companion files included:  resave <dictionary> <saved name>...

#include "AppFolder.h"
#include "DocumentSession.h"
#include "MessageService.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {

class PrintedMessages : public MessageService {
public:
    Answer show(QWidget *, const QString &text, Buttons, Icon) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return Ok;
    }
};

}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: resave <dictionary> <saved name>...\n");
        return 2;
    }
    QTemporaryDir settings;
    AppFolder::set(settings.path());
    PrintedMessages messages;
    MessageService::setInstance(&messages);
    DocumentSession session(nullptr);
    if (!session.open(QString::fromLocal8Bit(argv[1])))
        return 1;
    for (int i = 2; i < argc; ++i) {
        if (!session.save(QString::fromLocal8Bit(argv[i])))
            return 1;
    }
    return 0;
}
