#pragma once
// The debug trace channel: each trace string goes to standard error unless a capture is active.

#include <string>
#include <string_view>
#include <vector>

// Writes one trace string as it is (the caller supplies any line break).
void OutputDebugString(std::string_view text);

// While alive, trace strings are collected here instead of going to standard error.
// Captures nest: the innermost one receives the text.
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    const std::vector<std::string>& Lines() const { return FLines; }

private:
    friend void OutputDebugString(std::string_view text);
    std::vector<std::string> FLines;
    TraceCapture* FOuter;
};
