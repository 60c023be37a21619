// One reader of the question formats (gift, aiken, moodle or qti, chosen by FORMAT_NAME when
// built) fed bytes: read into a bank, fitted to it, written back in the same format and read
// again. The pictures of the items pass the exhibit checks on the way.

#include "formats/Format.h"
#include "formats/ItemTable.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const formats::Format* format = formats::formatNamed(QStringLiteral(FORMAT_NAME));
    const QByteArray source(reinterpret_cast<const char*>(data), qsizetype(size));
    formats::ReadResult read = format->read(source, store::TableKind::Bank);
    if (read.malformed && !read.items.empty())
        __builtin_trap();  // items only come from a readable source
    formats::fitItems(read.items, store::TableKind::Bank, 1);
    const formats::WriteResult written = format->write(read.items, store::TableKind::Bank);
    const formats::ReadResult again = format->read(written.data, store::TableKind::Bank);
    if (again.malformed || int(again.items.size()) != written.written)
        __builtin_trap();  // what a writer writes its reader reads back whole
    return 0;
}
