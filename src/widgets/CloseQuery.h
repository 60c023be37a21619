#pragma once
// A window's close box and close() under the window's own question: `query` answers whether
// the window may close, `close` does what closing means for it. A failure in either shows the
// error box; the window then closes only when the question had already said so.

#include <functional>

class QCloseEvent;

namespace widgets {

void answerClose(QCloseEvent* event, const std::function<void(bool&)>& query,
                 const std::function<void()>& close);

}  // namespace widgets
