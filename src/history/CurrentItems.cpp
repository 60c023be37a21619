#include "history/CurrentItems.h"

#include "history/Fingerprint.h"
#include "store/Fields.h"
#include "store/ItemReader.h"
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
        if (store::ItemReader* reader = opened()) {
            try {
                if (const auto values = reader->item(id, fingerprintFields()))
                    found = fingerprintOfValues(*values);
            } catch (const store::StoreError&) {
            }
        }
        m_known[id] = found;
        return found;
    }

private:
    // Null when the file is missing or cannot be read: every item of it counts as gone. Read by
    // plain SQL: opening the file as a table would first load every key.
    store::ItemReader* opened()
    {
        if (!m_reader && !m_failed && QFileInfo::exists(m_file)) {
            try {
                m_reader = std::make_unique<store::ItemReader>(m_file);
            } catch (const store::StoreError&) {
            }
        }
        m_failed = !m_reader;
        return m_reader.get();
    }

    QString m_file;
    std::unique_ptr<store::ItemReader> m_reader;
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
