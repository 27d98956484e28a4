#include "platform/sys/screen_metrics.h"

#include <utility>

namespace {
std::function<ScreenSize()>& Provider()
{
    static std::function<ScreenSize()> provider;
    return provider;
}
}  // namespace

ScreenSize GetScreenSize()
{
    const auto& provider = Provider();
    return provider ? provider() : ScreenSize{1024, 768};
}

void SetScreenSizeProvider(std::function<ScreenSize()> provider) { Provider() = std::move(provider); }
