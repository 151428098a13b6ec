#include "support/HeapCounter.h"

#include <atomic>
#include <cerrno>
#include <malloc.h>

// glibc's own allocator under the names it exports for those who wrap it.
extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *p, std::size_t size);
void *__libc_memalign(std::size_t alignment, std::size_t size);
void *__libc_valloc(std::size_t size);
void *__libc_pvalloc(std::size_t size);
void __libc_free(void *p);
}

namespace {

std::atomic<std::size_t> inUse{0};
std::atomic<std::size_t> peak{0};

void *counted(void *p)
{
    if (p) {
        const std::size_t now = inUse += malloc_usable_size(p);
        std::size_t seen = peak.load(std::memory_order_relaxed);
        while (now > seen && !peak.compare_exchange_weak(seen, now))
            ;
    }
    return p;
}

void uncount(void *p)
{
    if (p)
        inUse -= malloc_usable_size(p);
}

} // namespace

extern "C" {

void *malloc(std::size_t size)
{
    return counted(__libc_malloc(size));
}

void *calloc(std::size_t count, std::size_t size)
{
    return counted(__libc_calloc(count, size));
}

void *realloc(void *p, std::size_t size)
{
    const std::size_t before = p ? malloc_usable_size(p) : 0;
    void *q = __libc_realloc(p, size);
    if (q || size == 0)
        inUse -= before;
    return counted(q);
}

void free(void *p)
{
    uncount(p);
    __libc_free(p);
}

void *memalign(std::size_t alignment, std::size_t size)
{
    return counted(__libc_memalign(alignment, size));
}

void *aligned_alloc(std::size_t alignment, std::size_t size)
{
    return counted(__libc_memalign(alignment, size));
}

void *valloc(std::size_t size)
{
    return counted(__libc_valloc(size));
}

void *pvalloc(std::size_t size)
{
    return counted(__libc_pvalloc(size));
}

int posix_memalign(void **out, std::size_t alignment, std::size_t size)
{
    void *p = counted(__libc_memalign(alignment, size));
    if (!p)
        return ENOMEM;
    *out = p;
    return 0;
}

} // extern "C"

namespace portdesk::test {

std::size_t heapInUse()
{
    return inUse.load();
}

std::size_t heapPeak()
{
    return peak.load();
}

void resetHeapPeak()
{
    peak = inUse.load();
}

} // namespace portdesk::test
