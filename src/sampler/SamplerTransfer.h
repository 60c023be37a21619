#pragma once
// The test sampler's import and export of question files (GIFT, Aiken, Moodle XML, QTI, our
// JSON): the dialogs and reports around the format library. Failures are thrown as
// std::runtime_error with a message for the error box; nothing is written then.

class QWidget;

namespace store {
class Table;
}

namespace sampler {

// Asks for a question file, reads it in the format its extension names and reports what it
// holds before anything is written: the items, the questions skipped and why and, when some
// items name no section, a choice of the section for them. Once the user agrees, adds the
// items to the user set `table` (open) in one transaction and stands on the first of them.
// Returns how many items were added: 0 after a cancel.
int importQuestions(store::Table& table, QWidget* parent);

// Asks for a file name and writes every item of the user set `table` in the format the
// file's extension names; says how many items were written. Returns that number (0 after a
// cancel).
int exportQuestions(const store::Table& table, QWidget* parent);

}  // namespace sampler
