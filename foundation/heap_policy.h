#pragma once
// How the programs keep the memory of their heap. A large cluster takes ten times its file
// in memory, and a check builds lookup tables of megabytes each time it runs. Memory that
// goes back to the system and is taken again costs a page fault for every 4 KiB page, which
// on many virtual machines takes microseconds: loading, checking and writing a large cluster
// spent more time on that than on its own work. Both calls do nothing where the C library
// or the system offers no such setting.

namespace tabrel {

// Freed memory stays in the heap for the next allocation, large blocks included, instead of
// going back to the system: a process's memory then stays at the most it has needed.
void KeepFreedMemoryInTheHeap();

// Also makes the heap one region of 256 MiB of address space on transparent huge pages, one
// page fault for 2 MiB, where the system lets a process ask for them: for a process that
// loads one file and ends (tabrel-cli).
void UseLargePagesForTheHeap();

}  // namespace tabrel
