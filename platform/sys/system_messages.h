#pragma once
// The system's message texts for status codes that have one, each ending with "\r\n" as the
// system's message table does.

#include "platform/sys/hresult.h"

#include <optional>
#include <string>

std::optional<std::string> SystemMessageText(HRESULT hr);
