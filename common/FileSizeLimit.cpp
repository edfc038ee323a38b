#include "FileSizeLimit.h"

#include <csignal>

namespace {

void passOver(int)
{
}

}

void reportWritesPastFileSizeLimit()
{
    struct sigaction action = {};
    action.sa_handler = passOver;
    sigemptyset(&action.sa_mask);
    sigaction(SIGXFSZ, &action, nullptr);
}
