#pragma once
// The heap of tabrel-cli on large pages.

// Makes the heap that the process's allocations come from one large region on transparent
// huge pages, where the system lets a process ask for them. A load touches memory of about
// ten times the file's size, and on many virtual machines the first touch of each 4 KiB page
// costs microseconds: for a large cluster that was most of a whole run. Does nothing where
// the C library or the system offers no such thing.
void UseLargePagesForTheHeap();
