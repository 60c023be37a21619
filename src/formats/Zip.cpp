#include "formats/Zip.h"

#include <zip.h>

#include <memory>
#include <stdexcept>

namespace formats {

namespace {

constexpr zip_uint64_t MaxFileSize = 64u << 20;    // one picture or item
constexpr zip_uint64_t MaxTotalSize = 512u << 20;  // the whole package unpacked

QString zipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

}  // namespace

std::optional<std::map<QString, QByteArray>> readZip(const QByteArray& archive, QString& error)
{
    zip_error_t zerror;
    zip_error_init(&zerror);
    zip_source_t* source = zip_source_buffer_create(archive.constData(), zip_uint64_t(archive.size()), 0, &zerror);
    if (!source) {
        error = QString::fromUtf8(zip_error_strerror(&zerror));
        zip_error_fini(&zerror);
        return std::nullopt;
    }
    zip_t* zip = zip_open_from_source(source, ZIP_RDONLY, &zerror);
    if (!zip) {
        error = QStringLiteral("not a zip archive (%1)").arg(QString::fromUtf8(zip_error_strerror(&zerror)));
        zip_error_fini(&zerror);
        zip_source_free(source);
        return std::nullopt;
    }
    zip_error_fini(&zerror);
    const std::unique_ptr<zip_t, decltype(&zip_discard)> closer(zip, &zip_discard);

    std::map<QString, QByteArray> files;
    zip_uint64_t total = 0;
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(zip, zip_uint64_t(i), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME) || !(stat.valid & ZIP_STAT_SIZE)) {
            error = QStringLiteral("entry %1 of the archive cannot be read").arg(i + 1);
            return std::nullopt;
        }
        const QString name = QString::fromUtf8(stat.name);
        if (name.endsWith(QLatin1Char('/')))
            continue;  // a folder
        total += stat.size;
        if (stat.size > MaxFileSize || total > MaxTotalSize) {
            error = QStringLiteral("%1 is too large to unpack").arg(name);
            return std::nullopt;
        }
        zip_file_t* file = zip_fopen_index(zip, zip_uint64_t(i), 0);
        if (!file) {
            error = QStringLiteral("%1 cannot be read: %2").arg(name, QString::fromUtf8(zip_strerror(zip)));
            return std::nullopt;
        }
        QByteArray data(qsizetype(stat.size), Qt::Uninitialized);
        const zip_int64_t read = zip_fread(file, data.data(), stat.size);
        const int closed = zip_fclose(file);
        if (read != zip_int64_t(stat.size) || closed != 0) {
            error = QStringLiteral("%1 cannot be read: %2").arg(name, closed != 0 ? zipErrorText(closed) : QStringLiteral("damaged data"));
            return std::nullopt;
        }
        files[name] = data;
    }
    return files;
}

QByteArray writeZip(const std::vector<std::pair<QString, QByteArray>>& files)
{
    zip_error_t zerror;
    zip_error_init(&zerror);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &zerror);
    if (!target)
        throw std::runtime_error("cannot make a zip archive in memory");
    zip_source_keep(target);
    zip_t* zip = zip_open_from_source(target, ZIP_TRUNCATE, &zerror);
    zip_error_fini(&zerror);
    if (!zip) {
        zip_source_free(target);
        throw std::runtime_error("cannot make a zip archive in memory");
    }
    for (const auto& [name, data] : files) {
        // The data stays alive in `files` until zip_close has written the archive.
        zip_source_t* entry = zip_source_buffer(zip, data.constData(), zip_uint64_t(data.size()), 0);
        if (!entry || zip_file_add(zip, name.toUtf8().constData(), entry, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(entry);
            zip_discard(zip);
            zip_source_free(target);
            throw std::runtime_error("cannot add a file to a zip archive");
        }
    }
    if (zip_close(zip) != 0) {
        zip_discard(zip);
        zip_source_free(target);
        throw std::runtime_error("cannot write a zip archive");
    }
    QByteArray bytes;
    zip_stat_t stat;
    if (zip_source_stat(target, &stat) == 0 && zip_source_open(target) == 0) {
        bytes.resize(qsizetype(stat.size));
        const zip_int64_t read = zip_source_read(target, bytes.data(), stat.size);
        zip_source_close(target);
        if (read != zip_int64_t(stat.size))
            bytes.clear();
    }
    zip_source_free(target);
    if (bytes.isEmpty())
        throw std::runtime_error("cannot read back a zip archive made in memory");
    return bytes;
}

}  // namespace formats
