#pragma once
// Turning the bytes of a text source into lines, with the place of any fault.

#include "formats/Format.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace formats {

// The line and column (both from 1, the column counted in characters) of a byte offset.
void lineAndColumn(const QByteArray& text, qsizetype offset, int& line, int& column);

// Decodes UTF-8 (a leading byte order mark is dropped); on a byte that is not UTF-8 returns
// nothing and sets `fault` to its place.
std::optional<QString> decodeUtf8(const QByteArray& bytes, Problem& fault);

// The same for a source that comes in pieces: a character cut by the end of a piece is
// completed by the next, and a fault's place counts from the start of the source.
class Utf8Pieces {
public:
    // The text of `piece`; `last` when no piece follows, so that a cut character is a fault.
    std::optional<QString> decode(const QByteArray& piece, bool last, Problem& fault);

private:
    QByteArray m_cut;  // the start of a character the piece before ended in
    int m_line = 1, m_column = 1;
    bool m_afterReturn = false;  // the last character was "\r"
    bool m_first = true;
};

// The lines of a text, with "\r\n" and "\r" taken as line ends.
QStringList splitLines(const QString& text);

}  // namespace formats
