#pragma once

#include <memory>
#include <utility>

// A vector allocator whose resize leaves new numbers unset, for large tables that are written in full
// anyway: the threads that fill them then also take the cost of first touching their memory.
template <typename T> class UninitialisedAllocator : public std::allocator<T> {
public:
    template <typename U> struct rebind { using other = UninitialisedAllocator<U>; };

    UninitialisedAllocator() = default;
    template <typename U> UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}

    template <typename U> void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U; // default-initialised: no value for a double
    }
    template <typename U, typename... Args> void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};
