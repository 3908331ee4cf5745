#include "library/sheet/line_diff.h"

#include <algorithm>
#include <cstdint>

namespace tavrel {
namespace {

// Beyond this many cells the table of a trace would take more than 16 MB.
constexpr std::size_t kMaxTracedCells = std::size_t{1} << 22;

// The indexes of the first sequence's lines that occur in the second: no other line can be part
// of a common subsequence, and a long block shares few lines with a note, so the tables below
// are built over these alone.
std::vector<std::size_t> MatchableLines(std::span<const int> first, std::span<const int> second) {
    std::vector<int> present(second.begin(), second.end());
    std::sort(present.begin(), present.end());
    std::vector<std::size_t> matchable;
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (first[i] >= 0 && std::binary_search(present.begin(), present.end(), first[i])) {
            matchable.push_back(i);
        }
    }
    return matchable;
}

}  // namespace

std::size_t CountDifferingLines(std::span<const int> first, std::span<const int> second) {
    const std::vector<std::size_t> rows = MatchableLines(first, second);
    std::vector<std::size_t> previous(second.size() + 1, 0);
    std::vector<std::size_t> current(second.size() + 1, 0);
    for (const std::size_t row : rows) {
        for (std::size_t j = 1; j <= second.size(); ++j) {
            current[j] = first[row] == second[j - 1] ? previous[j - 1] + 1
                                                     : std::max(previous[j], current[j - 1]);
        }
        std::swap(previous, current);
    }
    return first.size() + second.size() - 2 * previous.back();
}

std::vector<LineDifference> ListDifferingLines(std::span<const int> first,
                                               std::span<const int> second) {
    const std::vector<std::size_t> rows = MatchableLines(first, second);
    const std::size_t width = second.size() + 1;
    if ((rows.size() + 1) * width > kMaxTracedCells) {
        return {};
    }
    // common[i * width + j]: the longest common subsequence of rows i.. and second j..
    std::vector<std::uint32_t> common((rows.size() + 1) * width, 0);
    for (std::size_t i = rows.size(); i-- > 0;) {
        for (std::size_t j = second.size(); j-- > 0;) {
            common[i * width + j] =
                first[rows[i]] == second[j]
                    ? common[(i + 1) * width + j + 1] + 1
                    : std::max(common[(i + 1) * width + j], common[i * width + j + 1]);
        }
    }
    std::vector<LineDifference> differences;
    std::size_t nextFirst = 0;
    std::size_t nextSecond = 0;
    const auto leaveOutUpTo = [&](std::size_t firstEnd, std::size_t secondEnd) {
        for (; nextFirst < firstEnd; ++nextFirst) {
            differences.push_back({true, nextFirst});
        }
        for (; nextSecond < secondEnd; ++nextSecond) {
            differences.push_back({false, nextSecond});
        }
    };
    for (std::size_t i = 0, j = 0; i < rows.size() && j < second.size();) {
        if (first[rows[i]] == second[j]) {
            leaveOutUpTo(rows[i], j);
            ++nextFirst;
            ++nextSecond;
            ++i;
            ++j;
        } else if (common[(i + 1) * width + j] >= common[i * width + j + 1]) {
            ++i;
        } else {
            ++j;
        }
    }
    leaveOutUpTo(first.size(), second.size());
    return differences;
}

}  // namespace tavrel
