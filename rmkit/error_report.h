#pragma once
// Reporting of failed 3D calls: the readable name of a status code, and the Yes/No report that
// lets the user end the program.

#include "platform/sys/hresult.h"

#include <string>

// "No Errors" for 0; otherwise the error-name row of the code, else the system's message text
// (with its trailing line break), else "HRESULT string not found".
std::string HResultText(HRESULT hr);

// The report's text: module and line with the error text, the call text, the question;
// at most 1023 characters.
std::string HResultReportText(const char* module, int line, HRESULT hr, const char* callText);

// The trace line written for a report: "Trace _Error 32: [Def] <report>\n\r", at most 255 characters.
std::string HResultTraceLine(const std::string& report);

// Traces the report and asks, in a modal box captioned "HRESULT Failure", whether to end the
// program. Yes ends the process at once with exit code 0; any other answer returns.
void ReportHResult(const char* module, int line, HRESULT hr, const char* callText);
