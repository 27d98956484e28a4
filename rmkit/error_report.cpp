#include "rmkit/error_report.h"

#include "platform/sys/system_messages.h"
#include "platform/sys/trace.h"
#include "platform/ui/application.h"
#include "platform/ui/message_box.h"
#include "rmkit/error_names.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::size_t kReportBufferSize = 1024;  // characters, terminator included
constexpr std::size_t kTraceLineMax = 255;       // characters, terminator excluded
constexpr std::size_t kStringLoadMax = 1023;     // longest name loaded from the string table

}  // namespace

std::string HResultText(HRESULT hr)
{
    if (hr == 0) return "No Errors";
    const std::string_view name = LoadErrorName(ErrorNameId(hr));
    if (!name.empty()) return std::string(name.substr(0, kStringLoadMax));
    if (auto system = SystemMessageText(hr)) return *system;
    return "HRESULT string not found";
}

std::string HResultReportText(const char* module, int line, HRESULT hr, const char* callText)
{
    const std::string error = HResultText(hr);
    std::vector<char> buffer(kReportBufferSize);
    std::snprintf(buffer.data(), buffer.size(), "%s (%d): %s\n%s\nDo you want to abort execution?",
                  module ? module : "", line, error.c_str(), callText ? callText : "");
    return buffer.data();
}

std::string HResultTraceLine(const std::string& report)
{
    std::string line = "Trace _Error 32: [Def] " + report + "\n\r";
    if (line.size() > kTraceLineMax) line.resize(kTraceLineMax);
    return line;
}

void ReportHResult(const char* module, int line, HRESULT hr, const char* callText)
{
    const std::string report = HResultReportText(module, line, hr, callText);
    OutputDebugString(HResultTraceLine(report));
    const int answer = Application->MessageBox(QString::fromLocal8Bit(report.c_str()),
                                               QStringLiteral("HRESULT Failure"),
                                               MB_YESNO | MB_ICONEXCLAMATION);
    if (answer == IDYES) std::exit(0);
}
