#include "widgets/DataLink.h"

#include "store/Table.h"

namespace widgets {

void followDataSource(QObject* receiver, store::DataSource* previous, store::DataSource* source,
                      const std::function<void()>& refresh)
{
    if (previous)
        QObject::disconnect(previous, nullptr, receiver, nullptr);
    if (!source)
        return;
    QObject::connect(source, &store::DataSource::dataChange, receiver, refresh);
    QObject::connect(source, &store::DataSource::stateChange, receiver, refresh);
}

}  // namespace widgets
