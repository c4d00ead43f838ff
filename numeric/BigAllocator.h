// Allocator for the large arrays of the solver (system matrix, its factor): blocks of 8 MiB
// and more are aligned to 2 MiB and offered to the kernel as huge pages, which spares most of
// the page faults of first touching hundreds of megabytes. Smaller blocks use operator new.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace velmor {

template <class T> struct BigAllocator
{
    using value_type = T;
    static constexpr std::size_t kLarge = std::size_t(8) << 20;
    static constexpr std::size_t kPage = std::size_t(2) << 20;

    BigAllocator() noexcept = default;
    template <class U> BigAllocator(const BigAllocator<U>&) noexcept {}

    T* allocate(std::size_t n)
    {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kLarge)
            return static_cast<T*>(::operator new(bytes));
        const std::size_t rounded = (bytes + kPage - 1) / kPage * kPage;
        void* p = std::aligned_alloc(kPage, rounded);
        if (!p)
            throw std::bad_alloc();
        ::madvise(p, rounded, MADV_HUGEPAGE);
        return static_cast<T*>(p);
    }
    void deallocate(T* p, std::size_t n) noexcept
    {
        if (n * sizeof(T) < kLarge)
            ::operator delete(p);
        else
            std::free(p);
    }
    template <class U> bool operator==(const BigAllocator<U>&) const noexcept { return true; }
};

} // namespace velmor
