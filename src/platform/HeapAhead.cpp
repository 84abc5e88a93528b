#include "platform/HeapAhead.h"

#include <cstdlib>
#include <thread>

#if defined(__GLIBC__)
#include <malloc.h>
#include <unistd.h>
#endif

namespace memory {

namespace {

// A main window of about a thousand by seven hundred pixels draws into a
// picture of 2.9 MB, and making and drawing it with a skin of a few hundred
// buttons grows the heap by another 2.3 MB. A larger block takes the thread
// longer than the program's start leaves it.
constexpr size_t BlockSize = size_t(6) << 20;

// Touched by the thread; only the main thread makes, frees and waits.
char *block = nullptr;
std::thread toucher;

} // namespace

HeapAhead::HeapAhead()
{
#if defined(__GLIBC__)
    // A block is taken only with its thread, and both go together.
    if (block)
        return;
    // glibc would map a block this large, and the window's picture, apart from
    // the heap, and would give a freed block's pages back to the system at once.
    // It raises both bounds itself, up to 32 and 64 MB, once a program frees a
    // large mapped block; set now, they hold from the start.
    mallopt(M_MMAP_THRESHOLD, int(2 * BlockSize));
    mallopt(M_TRIM_THRESHOLD, int(4 * BlockSize));
    // The heap of each other thread starts with this much room, and the main
    // heap grows by this much more than it must. Without it a thread's heap
    // grows a page at a time, with a call to the system for each, and the
    // threads that decode a skin's pictures keep hundreds of small ones: a
    // quarter of 5,000 button pictures is about 5 MB. Room not written to
    // takes no memory.
    mallopt(M_TOP_PAD, int(8 << 20));
    block = static_cast<char *>(std::malloc(BlockSize));
    if (!block)
        return;
    toucher = std::thread([] {
        const size_t page = size_t(sysconf(_SC_PAGESIZE));
        volatile char *pages = block;
        for (size_t offset = 0; offset < BlockSize; offset += page)
            pages[offset] = 0;
    });
#endif
}

HeapAhead::~HeapAhead()
{
    awaitHeapAhead();
}

void awaitHeapAhead()
{
    if (toucher.joinable())
        toucher.join();
    std::free(block);
    block = nullptr;
}

} // namespace memory
