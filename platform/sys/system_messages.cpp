#include "platform/sys/system_messages.h"

namespace {

struct MessageRow {
    HRESULT Code;
    const char* Text;
};

constexpr MessageRow kMessages[] = {
    {E_UNEXPECTED, "Catastrophic failure\r\n"},
    {E_NOTIMPL, "Not implemented\r\n"},
    {E_NOINTERFACE, "No such interface supported\r\n"},
    {E_POINTER, "Invalid pointer\r\n"},
    {E_ABORT, "Operation aborted\r\n"},
    {E_FAIL, "Unspecified error\r\n"},
    {E_ACCESSDENIED, "Access is denied.\r\n"},
    {E_HANDLE, "The handle is invalid.\r\n"},
    {E_OUTOFMEMORY, "Not enough storage is available to complete this operation.\r\n"},
    {E_INVALIDARG, "The parameter is incorrect.\r\n"},
};

}  // namespace

std::optional<std::string> SystemMessageText(HRESULT hr)
{
    for (const MessageRow& row : kMessages)
        if (row.Code == hr) return std::string(row.Text);
    return std::nullopt;
}
