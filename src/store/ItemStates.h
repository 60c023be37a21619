#pragma once
// The answer sheet: what the user chose and marked, one entry per item of the exam in progress.
// Kept in memory only.

#include <QVector>
#include <cstdint>

namespace store {

struct TItemState {
    bool Choice1 = false;
    bool Choice2 = false;
    bool Choice3 = false;
    bool Choice4 = false;
    bool Choice5 = false;
    bool Choice6 = false;
    bool Marked = false;
    bool Correct = false;
    std::int32_t Section = 0;

    // Choice k of 1..6, for loops over the answers a to f.
    bool& choice(int k);
    bool choice(int k) const;
};

// Entry k - 1 belongs to record number k of the current exam set.
using ItemStates = QVector<TItemState>;

}  // namespace store
