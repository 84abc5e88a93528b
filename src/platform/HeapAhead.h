#pragma once

#include <QtGlobal>

// Handing the main thread's first windows memory whose pages the system has
// already given the program.
namespace memory {

// While a program starts, takes a block of the heap and has another thread
// touch each of its pages. The first touch of a page is the system's work, 1 to
// 2 microseconds a page on a virtual machine, and the main thread's first
// windows, their drawing and a skin's open touch more than a thousand new
// pages. Made in main() before the application object; it waits for the thread
// as it ends.
class HeapAhead
{
public:
    HeapAhead();
    ~HeapAhead();
    Q_DISABLE_COPY_MOVE(HeapAhead)
};

// Waits for the thread a HeapAhead started, if one is still running, and gives
// the block back to the heap: what the main thread takes from the heap next is
// served from the touched pages.
void awaitHeapAhead();

} // namespace memory
