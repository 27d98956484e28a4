#pragma once
// A number that changes with every edit of an object and is never the same for two objects or
// two edits in the process: caches keyed by an object's address cannot take a new object that
// happens to get the address of a destroyed one for the old one.
#include <cstdint>

namespace rm {

class ChangeStamp {
public:
    ChangeStamp() : value_(Next()) {}
    ChangeStamp(const ChangeStamp&) : value_(Next()) {}
    ChangeStamp& operator=(const ChangeStamp&)
    {
        value_ = Next();
        return *this;
    }
    ChangeStamp& operator++()
    {
        value_ = Next();
        return *this;
    }
    operator std::uint64_t() const { return value_; }

private:
    static std::uint64_t Next();
    std::uint64_t value_;
};

}  // namespace rm
