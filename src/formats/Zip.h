#pragma once
// Zip archives in memory, through libzip.

#include <QByteArray>
#include <QString>

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace formats {

struct ZipArchive;

// A zip archive read in place: its list of files at once, the bytes of a file only when asked,
// so that an import costs the memory of the files it uses, not of the whole archive.
class ZipReader {
public:
    // `archive` must outlive the reader. Throws std::runtime_error when it is not a zip archive.
    explicit ZipReader(const QByteArray& archive);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    bool contains(const QString& path) const;
    // The bytes of the file `path`; throws std::runtime_error when it is missing, larger than
    // `limit` bytes or damaged.
    QByteArray read(const QString& path, qint64 limit) const;

private:
    std::unique_ptr<ZipArchive> m_zip;
    std::map<QString, quint64> m_index;  // path -> entry
};

// An archive of the files, in the order given.
QByteArray writeZip(const std::vector<std::pair<QString, QByteArray>>& files);

}  // namespace formats
