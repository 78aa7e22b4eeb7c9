#include "typing/cTypingHost.h"

namespace {
cTypingHost *currentHost = nullptr;
}

cTypingHost *cTypingHost::Current()
{
    return currentHost;
}

void cTypingHost::SetCurrent(cTypingHost *host)
{
    currentHost = host;
}
