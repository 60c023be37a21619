#include "history/CurrentItems.h"

#include "history/Fingerprint.h"
#include "store/Fields.h"
#include "store/StandaloneTable.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>

#include <map>
#include <memory>

namespace history {

namespace {

class TableItems {
public:
    explicit TableItems(const QString& file) : m_file(file) {}

    std::optional<Fingerprint> fingerprint(std::int64_t id)
    {
        if (const auto known = m_known.find(id); known != m_known.end())
            return known->second;
        std::optional<Fingerprint> found;
        if (store::Table* table = opened(); table && table->findKey(id))
            found = fingerprintOfRecord(*table);
        m_known[id] = found;
        return found;
    }

private:
    // Null when the file is missing or cannot be read: every item of it counts as gone.
    store::Table* opened()
    {
        if (!m_table && !m_failed && QFileInfo::exists(m_file)) {
            try {
                auto table = std::make_unique<store::StandaloneTable>(m_file);
                table->table.open();
                m_table = std::move(table);
            } catch (const store::StoreError&) {
            }
        }
        m_failed = !m_table;
        return m_table ? &m_table->table : nullptr;
    }

    QString m_file;
    std::unique_ptr<store::StandaloneTable> m_table;
    bool m_failed = false;
    std::map<std::int64_t, std::optional<Fingerprint>> m_known;
};

}  // namespace

CurrentFingerprint currentFingerprintsIn(const QString& folder)
{
    const QDir dir(folder);
    auto bank = std::make_shared<TableItems>(dir.filePath(store::BankFileName));
    auto userSet = std::make_shared<TableItems>(dir.filePath(store::UserSetFileName));
    return [bank, userSet](ItemSource source, std::int64_t id) {
        return (source == ItemSource::UserSet ? userSet : bank)->fingerprint(id);
    };
}

}  // namespace history
