#pragma once
// The product banner shown by the launcher and the about box.

#include <QPixmap>

// The 221 by 48 banner picture, kept in the program's resources.
QPixmap bannerPicture();
