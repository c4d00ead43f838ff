// Huge pages for the C library's heap. On a kernel that gives huge pages only to the memory
// that asks for them, a large structure's millions of small blocks are otherwise served in
// 4 KiB pages, and first touching each page costs a page fault (dear on a virtual machine).
#pragma once

#include <string>

namespace velmor {

// The value GLIBC_TUNABLES should have for the heap to ask for huge pages, given its present
// value (null when unset) and the kernel's setting (the text of the transparent-huge-page
// "enabled" file); empty when nothing is to change: the kernel gives huge pages to every
// mapping already, or never, or the setting is unknown, or the variable chooses the malloc
// huge-page mode itself (set glibc.malloc.hugetlb=0 to keep the ordinary pages).
std::string LargePageTunables(const char* tunables, const std::string& kernelSetting);

// When LargePageTunables asks for a change and the C library knows the setting, starts this
// program again in place (same arguments) with it; returns only when it did not (any failure
// leaves the process as it was). Call first thing in main.
void RestartWithLargePages(char** argv);

// From now on the heap keeps what is freed and serves every block itself: a large block freed
// (the file's text, the factor's workspace) is used again for the next ones instead of going
// back to the system, whose fresh pages must each be cleared (and on a virtual machine first
// given by its host). For a program that ends once its large work is done; does nothing where
// the C library has no such settings.
void KeepFreedHeapMemory();

} // namespace velmor
