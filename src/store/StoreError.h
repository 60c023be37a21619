#pragma once
#include <QString>
#include <stdexcept>

namespace store {

// A failure of the table engine; the message names the file and says what is wrong. The reason
// is the cause alone ("the disk is full"), for a caller that names the file and the item in
// words of its own; without one it is the whole message.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& message, const QString& reason = QString())
        : std::runtime_error(message.toStdString()), m_reason(reason)
    {
    }
    QString message() const { return QString::fromStdString(what()); }
    QString reason() const { return m_reason.isEmpty() ? message() : m_reason; }

private:
    QString m_reason;
};

}  // namespace store
