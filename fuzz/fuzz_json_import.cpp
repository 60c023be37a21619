// The JSON source of qbank import: read, checked by the item rules and written back out.
// The first byte chooses the kind of table.

#include "ItemJson.h"
#include "store/ItemCheck.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const auto kind = store::TableKind(data[0] % 3);
    const QByteArray json(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    QStringList faults;
    const std::vector<qbank::Record> records = qbank::readItems(json, kind, faults);
    if (!faults.isEmpty() && !records.empty())
        __builtin_trap();  // records only come without faults
    for (const qbank::Record& record : records) {
        store::checkItem(record, kind);
        qbank::toJson(record, kind);
    }
    return 0;
}
