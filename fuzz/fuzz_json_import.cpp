// The JSON source of qbank import: read, checked by the item rules and written back out.
// The first byte chooses the kind of table.

#include "formats/ItemTable.h"
#include "formats/JsonFormat.h"
#include "store/ItemCheck.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const auto kind = store::TableKind(data[0] % 3);
    const QByteArray json(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const formats::JsonFormat format;
    const formats::ReadResult read = format.read(json, kind);
    if (read.malformed && !read.items.empty())
        __builtin_trap();  // items only come from a sound source
    for (const formats::Item& item : read.items)
        store::checkItem(formats::recordOf(item), kind);
    format.write(read.items, kind);
    return 0;
}
