#include "print/engine/PageModel.h"

namespace report {

const Box* Page::find(const QString& name) const
{
    for (const Box& box : boxes) {
        if (box.name == name)
            return &box;
    }
    return nullptr;
}

QList<const Box*> Page::findAll(const QString& name) const
{
    QList<const Box*> found;
    for (const Box& box : boxes) {
        if (box.name == name)
            found << &box;
    }
    return found;
}

QStringList Page::texts() const
{
    QStringList result;
    for (const Box& box : boxes) {
        if (box.kind == BoxKind::Text)
            result << box.text();
    }
    return result;
}

}  // namespace report
