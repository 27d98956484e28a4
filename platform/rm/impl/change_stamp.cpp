#include "platform/rm/impl/change_stamp.h"

#include <atomic>

namespace rm {

std::uint64_t ChangeStamp::Next()
{
    static std::atomic<std::uint64_t> last{0};
    return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

}  // namespace rm
