#include "widgets/CloseQuery.h"

#include "platform/Handler.h"

#include <QCloseEvent>

namespace widgets {

void answerClose(QCloseEvent* event, const std::function<void(bool&)>& query,
                 const std::function<void()>& close)
{
    bool canClose = true;
    try {
        query(canClose);
        if (canClose)
            close();
    } catch (...) {
        platform::showCurrentException();
    }
    if (canClose)
        event->accept();
    else
        event->ignore();
}

}  // namespace widgets
