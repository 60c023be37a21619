// Opening a table file made of any bytes, as the program opens the current exam set, and
// reading every record. The first byte chooses whether the file is opened with the program's
// password or, to reach past the encryption, with none.

#include "store/Session.h"
#include "store/StandaloneTable.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static QTemporaryDir folder;
    const QString file = folder.filePath(store::CurrentSetFileName);
    QFile::remove(file);
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            __builtin_trap();
        out.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
    }
    try {
        store::StandaloneTable t(file, data[0] & 1 ? store::TablePassword : QString());
        if (!(data[0] & 1))
            t.session.removeAllPasswords();
        t.table.setExpectedFields(store::fieldNamesOf(store::TableKind::Current));
        t.table.open();
        for (t.table.first(); !t.table.eof(); t.table.next())
            for (const QString& name : t.table.fieldNames())
                t.table.value(name);
    } catch (const store::StoreError&) {
    }
    return 0;
}
