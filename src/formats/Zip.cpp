#include "formats/Zip.h"

#include <zip.h>

#include <memory>
#include <stdexcept>

namespace formats {

namespace {

QString zipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

[[noreturn]] void fail(const QString& text)
{
    throw std::runtime_error(text.toStdString());
}

}  // namespace

struct ZipArchive {
    zip_t* zip = nullptr;
    ~ZipArchive()
    {
        if (zip)
            zip_discard(zip);
    }
};

ZipReader::ZipReader(const QByteArray& archive) : m_zip(std::make_unique<ZipArchive>())
{
    zip_error_t zerror;
    zip_error_init(&zerror);
    zip_source_t* source = zip_source_buffer_create(archive.constData(), zip_uint64_t(archive.size()), 0, &zerror);
    if (source)
        m_zip->zip = zip_open_from_source(source, ZIP_RDONLY, &zerror);
    const QString why = QString::fromUtf8(zip_error_strerror(&zerror));
    zip_error_fini(&zerror);
    if (!m_zip->zip) {
        zip_source_free(source);
        fail(QStringLiteral("not a zip archive (%1)").arg(why));
    }
    const zip_int64_t count = zip_get_num_entries(m_zip->zip, 0);
    for (zip_int64_t i = 0; i < count; ++i)
        if (const char* name = zip_get_name(m_zip->zip, zip_uint64_t(i), 0))
            m_index.emplace(QString::fromUtf8(name), zip_uint64_t(i));
}

ZipReader::~ZipReader() = default;

bool ZipReader::contains(const QString& path) const
{
    return m_index.count(path) > 0;
}

QByteArray ZipReader::read(const QString& path, qint64 limit) const
{
    const auto entry = m_index.find(path);
    if (entry == m_index.end())
        fail(QStringLiteral("%1 is not in the package").arg(path));
    zip_stat_t stat;
    if (zip_stat_index(m_zip->zip, entry->second, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        fail(QStringLiteral("%1 cannot be read: %2").arg(path, QString::fromUtf8(zip_strerror(m_zip->zip))));
    if (stat.size > quint64(limit))
        fail(QStringLiteral("%1 is larger than %2 MB").arg(path).arg(limit >> 20));
    zip_file_t* file = zip_fopen_index(m_zip->zip, entry->second, 0);
    if (!file)
        fail(QStringLiteral("%1 cannot be read: %2").arg(path, QString::fromUtf8(zip_strerror(m_zip->zip))));
    QByteArray data(qsizetype(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_fread(file, data.data(), stat.size);
    const int closed = zip_fclose(file);
    if (read != zip_int64_t(stat.size) || closed != 0)
        fail(QStringLiteral("%1 cannot be read: %2").arg(path, closed != 0 ? zipErrorText(closed) : QStringLiteral("damaged data")));
    return data;
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
