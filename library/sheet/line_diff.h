#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace tavrel {

// Lines are compared as numbers: equal lines carry equal numbers, and a negative number equals
// no line at all. Both counts follow a longest common subsequence of the two sequences.

// How many lines of either sequence are left out of a longest common subsequence, together.
std::size_t CountDifferingLines(std::span<const int> first, std::span<const int> second);

// One line left out: of the first sequence or of the second, by its index there.
struct LineDifference {
    bool inFirst = true;
    std::size_t index = 0;
};

// Those lines, as a merged listing reads them: where both sequences lose lines at one place,
// the first's come first. Empty when the two are too long to trace (over a few million pairs
// of lines that can match); CountDifferingLines still counts them.
std::vector<LineDifference> ListDifferingLines(std::span<const int> first,
                                               std::span<const int> second);

}  // namespace tavrel
