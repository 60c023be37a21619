#pragma once
// Copies records of one open table into another, field by field, each value turned into the
// type of the field it goes to. The records go from statement to statement: neither table's
// cursor reads them, which for a whole exam set saves turning every field into a QVariant twice.

#include "store/ChoiceOrder.h"
#include "store/Fields.h"
#include "store/Statement.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace store {

class Table;

struct CopiedField {
    const char* source;  // the field read from the source
    const char* target;  // the field written in the target
    FieldType type;      // what the target keeps: text (NULL as empty), whole number or 0/1
};

class RecordCopy {
public:
    // Both tables open; throws, naming the table, when one lacks a field.
    RecordCopy(Table& source, Table& target, const std::vector<CopiedField>& fields);
    RecordCopy(const RecordCopy&) = delete;
    RecordCopy& operator=(const RecordCopy&) = delete;

    // Appends to the target a copy of the source record with this Q_ID, the target choosing the
    // new record's Q_ID; false when the source has no such record.
    bool append(std::int64_t key);
    // Lets the target's cursor see the appended records; once, after the last append.
    void finish();

    // With a shuffle, every record appended from now on gets its choices (each text with its
    // key) in a new order from it; without one (null), in their stored order.
    void shuffleChoices(ChoiceShuffle* shuffle) { m_shuffle = shuffle; }
    // The order the last appended record's choices were written in.
    const ChoiceOrder& lastOrder() const { return m_lastOrder; }

private:
    void bindConverted(int field, int parameter);
    // The order for the record the select stands on.
    ChoiceOrder orderOfSelected();

    Table& m_source;
    Table& m_target;
    std::vector<int> m_parameters;  // per copied field, its parameter of the insert
    std::vector<FieldType> m_types;
    // Per copied field, the choice it holds: its text (0..5) or key (AnswerCount + 0..5); -1 none.
    std::vector<int> m_choiceSlot;
    // The insert's parameter of each choice place's text (0..5) and key (AnswerCount + 0..5).
    std::array<int, 2 * field::AnswerCount> m_choiceParameter{};
    ChoiceShuffle* m_shuffle = nullptr;
    ChoiceOrder m_lastOrder;
    std::optional<Statement> m_select;
    std::optional<Statement> m_insert;
};

}  // namespace store
