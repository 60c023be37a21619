#pragma once
// What every data-bound control does with its data source: follow its changes.

#include <functional>

class QObject;

namespace store {
class DataSource;
}

namespace widgets {

// Calls `refresh` after every data change and every state change of `source` for as long as
// `receiver` lives; drops the connections of `receiver` to `previous`.
void followDataSource(QObject* receiver, store::DataSource* previous, store::DataSource* source,
                      const std::function<void()>& refresh);

}  // namespace widgets
