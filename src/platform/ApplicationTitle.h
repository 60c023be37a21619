#pragma once
// The application title: the caption of the error box and of the launcher, and the name of
// the settings folder.

#include <QString>

namespace platform {

inline const QString ApplicationTitle = QStringLiteral("Quizlore Prep 2.0");

}  // namespace platform
