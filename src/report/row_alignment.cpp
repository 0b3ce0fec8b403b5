#include "report/row_alignment.h"

#include <algorithm>
#include <vector>

namespace {

// Pairs the rows of one gap between anchors: changed rows first, then the
// surplus of either side.
void Pair_Gap(QList<Row_Pair>& pairs, int a_from, int a_to, int b_from, int b_to) {
    const int changed = std::min(a_to - a_from, b_to - b_from);
    for (int k = 0; k < changed; ++k)
        pairs.append({a_from + k, b_from + k, false});
    for (int i = a_from + changed; i < a_to; ++i)
        pairs.append({i, std::nullopt, false});
    for (int j = b_from + changed; j < b_to; ++j)
        pairs.append({std::nullopt, j, false});
}

} // namespace

QList<Row_Pair> Align_Rows(int a_count, int b_count, const std::function<bool(int, int)>& same) {
    QList<Row_Pair> pairs;
    int head = 0;
    while (head < a_count && head < b_count && same(head, head))
        ++head;
    int tail = 0;
    while (tail < a_count - head && tail < b_count - head && same(a_count - 1 - tail, b_count - 1 - tail))
        ++tail;
    for (int i = 0; i < head; ++i)
        pairs.append({i, i, true});

    const int a_begin = head, a_end = a_count - tail;
    const int b_begin = head, b_end = b_count - tail;
    const int n = a_end - a_begin;
    const int m = b_end - b_begin;
    if (n > 0 && m > 0 && static_cast<long long>(n + 1) * (m + 1) <= Max_Aligned_Cells) {
        // lcs[i][j]: length of the longest common subsequence of A[i..] and B[j..].
        std::vector<int> lcs(static_cast<size_t>(n + 1) * (m + 1), 0);
        const auto at = [m](int i, int j) { return static_cast<size_t>(i) * (m + 1) + j; };
        for (int i = n - 1; i >= 0; --i)
            for (int j = m - 1; j >= 0; --j)
                lcs[at(i, j)] = same(a_begin + i, b_begin + j)
                                    ? lcs[at(i + 1, j + 1)] + 1
                                    : std::max(lcs[at(i + 1, j)], lcs[at(i, j + 1)]);
        int i = 0, j = 0, gap_i = 0, gap_j = 0;
        while (i < n && j < m) {
            if (same(a_begin + i, b_begin + j) && lcs[at(i, j)] == lcs[at(i + 1, j + 1)] + 1) {
                Pair_Gap(pairs, a_begin + gap_i, a_begin + i, b_begin + gap_j, b_begin + j);
                pairs.append({a_begin + i, b_begin + j, true});
                gap_i = ++i;
                gap_j = ++j;
            } else if (lcs[at(i + 1, j)] >= lcs[at(i, j + 1)]) {
                ++i;
            } else {
                ++j;
            }
        }
        Pair_Gap(pairs, a_begin + gap_i, a_end, b_begin + gap_j, b_end);
    } else {
        Pair_Gap(pairs, a_begin, a_end, b_begin, b_end);
    }
    for (int k = 0; k < tail; ++k)
        pairs.append({a_end + k, b_end + k, true});
    return pairs;
}
