#pragma once
#include <QString>
#include <stdexcept>

namespace store {

// A failure of the table engine; the message names the file and says what is wrong.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

}  // namespace store
