#include "typing/cTypingHost.h"

namespace {
std::function<cTypingHost *()> &hostProvider()
{
    static std::function<cTypingHost *()> provider;
    return provider;
}
} // namespace

cTypingHost *cTypingHost::Current()
{
    return hostProvider() ? hostProvider()() : nullptr;
}

void cTypingHost::SetProvider(std::function<cTypingHost *()> provider)
{
    hostProvider() = std::move(provider);
}
