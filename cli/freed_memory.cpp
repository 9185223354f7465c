#include "cli/freed_memory.h"

#include <malloc.h>

namespace strikon::cli {

void keepFreedMemoryForReuse() {
    // Blocks below 32 MB (glibc's largest) come from the heaps, not from mappings of their own,
    // and a heap keeps up to 64 MB free at its end before it gives any back.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
}

}  // namespace strikon::cli
