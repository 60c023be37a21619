#pragma once
// One item as table field values, keyed by field name (Q_TEXT, A1, ...).

#include <QString>
#include <QVariant>

#include <map>

namespace qbank {

using Record = std::map<QString, QVariant>;

}  // namespace qbank
