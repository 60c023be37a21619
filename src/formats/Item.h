#pragma once
// One question as the formats carry it: the fields of a table record, plus the bytes of
// exhibit pictures that a source embeds.

#include "store/Fields.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace formats {

inline constexpr int MaxAnswers = store::field::AnswerCount;

// An exhibit: its file name and, when the source embeds it, its bytes.
struct Picture {
    QString name;
    QByteArray data;
    bool isEmpty() const { return name.isEmpty() && data.isEmpty(); }
};

struct Item {
    int id = 0;       // Q_ID; 0 = not given
    int exam = 0;     // Q_EXAM_N
    int section = 0;  // Q_SECT 1..4; 0 = the source does not tell
    bool multiple = false;
    QString question;
    QString explanation;
    std::array<QString, MaxAnswers> answers;  // a..f; empty = no such answer
    std::array<bool, MaxAnswers> keys{};
    QString sim;
    int orNumber = 0;  // Q_OR_NUMBER
    QString memo;      // U_MEMO
    std::array<Picture, 2> pictures;
    int line = 0;  // where the item begins in its source, for messages

    int answerCount() const;  // answers with text
    int keyCount() const;
    QString keyLetters() const;  // "bd"
    // The same item with its answers moved up over gaps (key letters follow their answers).
    Item compacted() const;
};

// One answer of a question as read from a source, before it is fitted into an item.
struct Choice {
    QString text;
    bool key = false;
};

// Fills the answers and keys of `item`; returns why the choices cannot make one of our
// items (fewer than two or more than six answers, no key, two keys on a single-response
// item), or nothing.
std::optional<QString> setChoices(Item& item, const QList<Choice>& choices);

// How a problem line names an item: "item Q_ID 7" when it has an identifier, else by its
// position from 1 ("item 3").
QString itemName(const Item& item, int index);

// The four section names, indexed by section 1..4.
const QStringList& sectionNames();
// The section a category path names by its last part ("$course$/top/Planning" -> 2), else 0.
int sectionOfCategory(const QString& category);

}  // namespace formats
