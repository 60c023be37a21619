#pragma once
// Building the current exam set: copies of an exam's items in a fresh random order,
// and the blank answer sheet that goes with them.

#include "store/ChoiceOrder.h"
#include "store/ItemStates.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace store {
class Table;
}

// How a preparation reports its progress to whoever shows it; any member may be left empty.
struct PrepareProgress {
    std::function<void()> started;              // before anything is read
    std::function<void(int)> sized;             // the number of items to copy
    std::function<void(int)> advanced;          // items copied so far
    std::function<void()> finished;             // at the end, also when the preparation fails
};

// Where the preparation leaves its result for the exam window.
struct PreparedSet {
    int FirstItemNo = 0;  // record number of the first item
    int ItemCount = 0;    // number of items
    // With shuffled choices, the order each item's choices were given, by record (entry r - 1
    // for record number r); empty when every item keeps its stored order.
    std::vector<store::ChoiceOrder> ChoiceOrders;
};

// Each preparation below takes, with `shuffle`, every item's choices in a new order from it
// (the bank and the user set are never changed); without, in their stored order.

// Every visible record of the filtered, open question bank, in random order.
PreparedSet PrepareExamSet(store::Table& qset, store::Table& currentSet, const PrepareProgress& progress = {},
                           store::ChoiceShuffle* shuffle = nullptr);
// `count` records (1..N) drawn at random from the visible records of the open question bank.
PreparedSet PrepareRandomSet(store::Table& qset, store::Table& currentSet, int count,
                             const PrepareProgress& progress = {}, store::ChoiceShuffle* shuffle = nullptr);
// The bank items whose Q_ID are `ids`, each once, in random order. An item that the open
// question bank does not show (its filter hides it, or it is gone) is refused before anything
// is written.
PreparedSet PrepareListedSet(store::Table& qset, store::Table& currentSet, std::vector<std::int64_t> ids,
                             const PrepareProgress& progress = {}, store::ChoiceShuffle* shuffle = nullptr);
// Every record of the open user question set, in random order.
PreparedSet PrepareUserSet(store::Table& userSet, store::Table& currentSet,
                           const PrepareProgress& progress = {}, store::ChoiceShuffle* shuffle = nullptr);
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
