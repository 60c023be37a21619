#pragma once
// What the readers and writers of the formats share: how a fault or a skipped question is
// carried and reported, and the small rules every writer follows.

#include "formats/Format.h"

#include <optional>

namespace formats {

// Thrown inside a reader: the source is unusable and nothing of it is taken.
struct Malformed {
    Problem problem;
};

// Thrown inside a reader for one question: fine in its format but not one of our items.
struct Unsupported {
    QString text;
};

// A result that holds only the fault of a malformed source.
ReadResult malformedResult(const Problem& fault);
// Records a question left out, with its place.
void skipQuestion(ReadResult& result, Problem where, const QString& why);
// The text of a UTF-8 source; when it is not UTF-8, nothing, and `result` holds the fault.
std::optional<QString> decodeSource(const QByteArray& source, ReadResult& result);

// The exhibit a picture's alternative text names ("Exhibit 2" -> 1), or -1.
int exhibitOfAltText(const QString& alt);
// The text writers give a picture so that exhibitOfAltText finds it again.
QString exhibitAltText(int exhibit);
// Puts a picture in the exhibit slot it asks for, or else in the first free one; false when
// both are taken.
bool placePicture(Item& item, const Picture& picture, int wanted);

// True, with a problem line in `result`, when an item has no answer or no correct answer
// and so cannot be written as a question of any format.
bool skipUnwritable(const Item& item, int index, WriteResult& result);
// True when `item` begins a new section after `current` (which it updates): writers put a
// category before it.
bool entersSection(int& current, const Item& item);
// The weight of each key of a multiple-response question with `keys` keys, in percent as
// Moodle accepts it ("50", "33.33333").
QString keyShare(int keys);

}  // namespace formats
