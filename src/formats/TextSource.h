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

// The lines of a text, with "\r\n" and "\r" taken as line ends.
QStringList splitLines(const QString& text);

}  // namespace formats
