#pragma once
// The order in which an item's choices are shown. With the shuffle option on, each exam start
// gives every item's choices a new random order, filled choices first; an item whose choices
// refer to each other ("None of the above", "a and c only") keeps its stored order. Qt Core only.

#include "store/Fields.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <random>

namespace store {

// shown[k] is the stored choice (0 for Q1/A1 ... 5 for Q6/A6) shown at place k (a. to f.).
struct ChoiceOrder {
    std::array<int, field::AnswerCount> shown{0, 1, 2, 3, 4, 5};

    bool isStored() const;
    // The place at which stored choice `stored` is shown.
    int placeOf(int stored) const;
    bool operator==(const ChoiceOrder&) const = default;
};

// Whether a choice text, as a whole, refers to the other choices: "All of the above", "none of
// them", "a and c only", "(a), (b) and (c)". Case and a final period do not count.
bool refersToOtherChoices(const QString& choiceText);
// Whether an item with these choice texts keeps its stored order when shuffled.
bool keepsStoredOrder(const QStringList& choiceTexts);

// The generator of the shuffled orders: seeded once when made; never the exam draw's.
class ChoiceShuffle {
public:
    ChoiceShuffle();  // seeded from the system's random source
    explicit ChoiceShuffle(std::uint64_t seed) : m_engine(seed) {}
    // Starts the sequence again from `seed` (tests use it to fix the orders).
    void reseed(std::uint64_t seed) { m_engine.seed(seed); }

    // A new order for an item with these choice texts (six, empty where the item has no
    // choice): the filled choices in random order, then the empty ones in stored order; the
    // stored order for an item that keeps it.
    ChoiceOrder orderFor(const QStringList& choiceTexts);

private:
    std::mt19937_64 m_engine;
};

}  // namespace store
