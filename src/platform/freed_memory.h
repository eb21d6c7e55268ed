#pragma once

// Memory the program frees goes back to the system, so that a long afternoon of moving
// between windows does not leave the process holding what it no longer uses.

// Blocks of 128 KB and more (the pictures windows are drawn into, a megabyte and more
// each) get pages of their own, which go back to the system when they are freed. Left to
// itself, glibc's allocator raises that limit to the size of the first such block freed,
// and later window pictures stay in its heap after use. Before the first allocation of
// any size, that is first thing in main().
void returnLargeBlocksWhenFreed();

// Gives the pages of freed memory within the heap back to the system (after a window has
// been hidden).
void returnFreedMemory();
