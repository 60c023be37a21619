#pragma once
// Zip archives in memory, through libzip.

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace formats {

// Every file of the archive by its path inside it; nothing and `error` set when the bytes
// are not a zip archive or a file in it cannot be read. Files larger than we would ever
// need are refused rather than unpacked.
std::optional<std::map<QString, QByteArray>> readZip(const QByteArray& archive, QString& error);

// An archive of the files, in the order given.
QByteArray writeZip(const std::vector<std::pair<QString, QByteArray>>& files);

}  // namespace formats
