#include "engine/huge_pages.h"

namespace tavrel {

// Only Linux takes the request; elsewhere memory works as ever.
void OfferHugePages(const void*, std::size_t) {}

}  // namespace tavrel
