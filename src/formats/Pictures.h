#pragma once
// Exhibit pictures between the items of a format and the folder of a table file.

#include "formats/Format.h"

#include <QStringList>

#include <vector>

namespace formats {

// Writes the embedded pictures of `item` into `folder` and points the item at them. A
// picture never overwrites a file: it takes a free name ("ex.png", "ex-2.png", ...) unless a
// file there holds the same bytes already, which is then reused. Names from the source are
// reduced to a plain file name first, so a name like "../x" cannot leave the folder.
// Each is written under a temporary name and renamed into place, so that no picture cut short
// bears a real name. Returns the files written, so that a later failure of the import can take
// them away again; when a picture cannot be written, takes away those written before it and
// throws std::runtime_error with the reason ("No space left on device").
QStringList storePictures(Item& item, const QString& folder);

// The name a picture from a source is stored under: a plain file name of safe characters
// ("../x y.bmp" -> "x_y.bmp"), cut to a length every file system takes, with a suffix.
QString plainPictureName(const QString& wanted, const QByteArray& data);

// Reads the bytes of every picture the items name from `folder`; a picture that cannot be
// read is left out with a problem line.
QList<Problem> loadPictures(std::vector<Item>& items, const QString& folder);

}  // namespace formats
