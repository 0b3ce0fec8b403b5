#pragma once

#include <QList>

#include <functional>
#include <optional>

// Two lists of rows aligned the way a text diff aligns lines: the longest
// common subsequence of equal rows stays paired, and between two such anchors
// the rows left over on both sides are paired in order as changed rows, the
// surplus on one side standing alone as removed (only in A) or inserted
// (only in B). So one inserted row reads as one inserted row, not as every
// later row changed.
struct Row_Pair {
    std::optional<int> A; // row index in A, from 0; none: inserted in B
    std::optional<int> B; // row index in B, from 0; none: removed from A
    bool Equal = false;   // the two rows are equal

    bool operator==(const Row_Pair&) const = default;
};

// Aligns `a_count` rows of A with `b_count` rows of B, `same(i, j)` telling
// whether row i of A equals row j of B. Common leading and trailing rows are
// paired first; the subsequence search runs on what lies between, and where
// that is too large for it (more than Max_Aligned_Cells pairs of rows) those
// rows are paired in order instead. The pairs come in row order of both sides.
inline constexpr long long Max_Aligned_Cells = 4'000'000;
QList<Row_Pair> Align_Rows(int a_count, int b_count, const std::function<bool(int, int)>& same);
