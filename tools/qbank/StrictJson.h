#pragma once
// The rules of JSON that Qt's reader lets pass: a source that breaks one is refused.

#include <QByteArray>
#include <QString>

namespace qbank {

// The first place where `json` breaks a rule that Qt's reader does not enforce, as
// "line L, column C: what is wrong"; empty when there is none. It finds raw control
// characters inside strings, escapes that JSON does not know, a key given twice in one
// object and nesting deeper than the reader allows. Other syntax faults are left to the reader.
QString strictJsonFault(const QByteArray& json);

// The line and column (both from 1) of the byte at `offset`.
void lineAndColumn(const QByteArray& text, qsizetype offset, int& line, int& column);

}  // namespace qbank
