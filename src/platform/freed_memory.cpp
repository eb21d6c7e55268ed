#include "platform/freed_memory.h"

#include <cstdlib> // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void returnLargeBlocksWhenFreed()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

void returnFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}
