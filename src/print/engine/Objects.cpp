#include "print/engine/Objects.h"

namespace report {

namespace {

ReportObject placed(ObjectKind kind, const QString& name, double left, double top,
                    double width = 0, double height = 0)
{
    ReportObject object;
    object.kind = kind;
    object.name = name;
    object.left = left;
    object.top = top;
    object.width = width;
    object.height = height;
    return object;
}

}  // namespace

TextStyle arial(double points, bool bold, bool italic)
{
    TextStyle style;
    style.pointSize = points;
    style.bold = bold;
    style.italic = italic;
    return style;
}

TextStyle onWhite(TextStyle style)
{
    style.background = Qt::white;
    return style;
}

ReportObject label(const QString& name, double left, double top, const TextStyle& style,
                   const QString& text, Anchor anchor)
{
    ReportObject object = placed(ObjectKind::Label, name, left, top);
    object.style = style;
    object.text = text;
    object.anchor = anchor;
    return object;
}

ReportObject memo(const QString& name, double left, double top, double width, double height,
                  const TextStyle& style, double spaceBelow)
{
    ReportObject object = placed(ObjectKind::Memo, name, left, top, width, height);
    object.style = style;
    object.stretch = true;
    object.spaceBelow = spaceBelow;
    return object;
}

ReportObject dataText(const QString& name, double left, double top, const TextStyle& style,
                      const QString& field, const QString& prefix, const QString& suffix)
{
    ReportObject object = placed(ObjectKind::DataText, name, left, top);
    object.style = style;
    object.field = field;
    object.prefix = prefix;
    object.suffix = suffix;
    return object;
}

ReportObject dataMemo(const QString& name, double left, double top, double width, double height,
                      const TextStyle& style, const QString& field, double spaceBelow)
{
    ReportObject object = memo(name, left, top, width, height, style, spaceBelow);
    object.kind = ObjectKind::DataMemo;
    object.field = field;
    return object;
}

ReportObject rectangle(const QString& name, double left, double top, double width, double height)
{
    return placed(ObjectKind::Rectangle, name, left, top, width, height);
}

ReportObject line(const QString& name, double left, double top, double width)
{
    return placed(ObjectKind::Line, name, left, top, width);
}

ReportObject checkBox(const QString& name, double left, double top, double width, double height,
                      const QString& field)
{
    ReportObject object = placed(ObjectKind::CheckBox, name, left, top, width, height);
    object.field = field;
    return object;
}

ReportObject printDate(const QString& name, double rightEdge, double top, const TextStyle& style)
{
    ReportObject object = label(name, rightEdge, top, style, QString(), Anchor::Right);
    object.kind = ObjectKind::PrintDate;
    return object;
}

ReportObject pageNumber(const QString& name, double rightEdge, double top, const TextStyle& style)
{
    ReportObject object = printDate(name, rightEdge, top, style);
    object.kind = ObjectKind::PageNumber;
    return object;
}

ReportObject chart(const QString& name, double left, double top, double width, double height)
{
    return placed(ObjectKind::Chart, name, left, top, width, height);
}

ReportObject region(const QString& name, double left, double top, double width, double height,
                    QList<ReportObject> children)
{
    ReportObject object = placed(ObjectKind::Region, name, left, top, width, height);
    object.stretch = true;
    object.children = std::move(children);
    return object;
}

}  // namespace report
