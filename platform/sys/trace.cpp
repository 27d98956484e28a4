#include "platform/sys/trace.h"

#include <cstdio>

namespace {
TraceCapture* activeCapture = nullptr;
}

TraceCapture::TraceCapture() : FOuter(activeCapture) { activeCapture = this; }

TraceCapture::~TraceCapture() { activeCapture = FOuter; }

void OutputDebugString(std::string_view text)
{
    if (activeCapture) {
        activeCapture->FLines.emplace_back(text);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}
