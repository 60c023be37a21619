// The filter expression parser: any text gives an expression or a clear refusal.

#include "store/Fields.h"
#include "store/Filter.h"

#include <cstdint>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QStringList columns = store::fieldNamesOf(store::TableKind::Current);
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const auto expression = store::FilterExpression::parse(text, columns);
        // Every value has its parameter.
        if (expression->sql().count(QLatin1Char('?')) != qsizetype(expression->values().size()))
            __builtin_trap();
    } catch (const std::invalid_argument&) {
    }
    return 0;
}
