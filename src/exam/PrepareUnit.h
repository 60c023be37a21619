#pragma once
// Building the current exam set: copies of an exam's items in a fresh random order,
// and the blank answer sheet that goes with them.

#include "store/ItemStates.h"

#include <cstdint>
#include <vector>

namespace store {
class Table;
}
class TProgressForm;

// Where the preparation leaves its result for the exam window.
struct PreparedSet {
    int FirstItemNo = 0;  // record number of the first item
    int ItemCount = 0;    // number of items
};

// Every visible record of the filtered, open question bank, in random order.
PreparedSet PrepareExamSet(store::Table& qset, store::Table& currentSet, TProgressForm* progress);
// `count` records (1..N) drawn at random from the visible records of the open question bank.
PreparedSet PrepareRandomSet(store::Table& qset, store::Table& currentSet, int count,
                             TProgressForm* progress);
// Every record of the open user question set, in random order.
PreparedSet PrepareUserSet(store::Table& userSet, store::Table& currentSet, TProgressForm* progress);
// Sizes the answer sheet to the current exam set and resets every entry.
void BuildItemStates(store::Table& currentSet, store::ItemStates& itemStates);

// The generator of the random order: a 32-bit linear congruential state.
class RandomDraw {
public:
    explicit RandomDraw(std::uint32_t seed) : m_state(seed) {}
    // The seed from the current UTC time of day, in milliseconds.
    static std::uint32_t seedFromClock();
    // A draw below n (n >= 1).
    std::uint32_t below(std::uint32_t n);
    std::uint32_t state() const { return m_state; }

private:
    std::uint32_t m_state;
};

// Draws `count` distinct candidates in random order (a rejection draw: every pick is uniform
// over the candidates not yet picked).
std::vector<std::int64_t> drawPicks(const std::vector<std::int64_t>& candidates, int count,
                                    RandomDraw& random);
