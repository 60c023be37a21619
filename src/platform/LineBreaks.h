#pragma once
// Texts come with Windows ("\r\n"), old Mac ("\r") or Unix ("\n") line breaks: from the
// table files, from imported questions and from the program's own messages.

#include <QString>

namespace platform {

// `text` with every "\r\n" and every lone "\r" turned into "\n".
QString unifiedLineBreaks(const QString& text);

}  // namespace platform
