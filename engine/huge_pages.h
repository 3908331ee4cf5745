#pragma once

#include <cstddef>

namespace tavrel {

// Asks the system to back the whole 2 MB pages inside the region with huge pages; meant for
// large room that nothing has been written to yet. Fresh memory costs a page fault for every
// 4 KB first written, and on a virtual machine those faults can take longer than the work done
// in the memory; a huge page takes one fault per 2 MB. Only a request: without it, or for a
// region holding no whole huge page, memory works as ever.
void OfferHugePages(const void* data, std::size_t size);

}  // namespace tavrel
