#pragma once
// How strikon-render keeps the memory it frees.

namespace strikon::cli {

// A batch draws and encodes every row in buffers of the same few sizes (the picture, its rows
// as a PNG codes them, the file), freed after the row. glibc hands freed memory back to the
// system as soon as more than a few such buffers lie free (its thresholds follow the largest
// block freed so far, a few hundred kilobytes here), and the next row then faults every page of
// its buffers in again, which costs more than drawing the symbol. Call once, before any thread
// starts: freed blocks of up to 64 MB in all are kept for reuse, per thread's heap.
void keepFreedMemoryForReuse();

}  // namespace strikon::cli
