#include "widgets/FieldMapper.h"

#include "platform/Handler.h"
#include "store/Table.h"
#include "widgets/DataLink.h"

#include <QMetaProperty>
#include <QScopedValueRollback>
#include <QSignalBlocker>

#include <stdexcept>

namespace widgets {

namespace {

QMetaProperty propertyOf(const QWidget* widget, const QByteArray& name)
{
    const QMetaObject* meta = widget->metaObject();
    const QMetaProperty property =
        name.isEmpty() ? meta->userProperty() : meta->property(meta->indexOfProperty(name.constData()));
    if (!property.isValid() || !property.hasNotifySignal())
        throw std::logic_error(QStringLiteral("%1 has no property %2 with a change signal to bind")
                                   .arg(widget->objectName(), QString::fromLatin1(name))
                                   .toStdString());
    return property;
}

// `value` as the property holds it: a number of 0 or 1 as a check box's state, no value as
// empty text.
QVariant asPropertyValue(QVariant value, const QMetaProperty& property)
{
    if (value.metaType() != property.metaType() && !value.convert(property.metaType()))
        return QVariant(property.metaType());
    return value;
}

}  // namespace

FieldMapper::FieldMapper(store::DataSource* source, SubmitPolicy policy, QObject* parent)
    : QObject(parent), m_source(source), m_policy(policy)
{
    // Beginning a new record empties the buffer without moving, and closing leaves no record:
    // state changes count as much as moves.
    followDataSource(this, nullptr, source, [this] { refresh(); });
}

store::Table* FieldMapper::table() const
{
    return m_source->dataSet();
}

bool FieldMapper::hasRecord() const
{
    const store::Table* t = table();
    if (!t || !t->isOpen())
        return false;
    return t->state() != store::DataSetState::Browse || !t->isEmpty();
}

void FieldMapper::addMapping(QWidget* widget, const QString& field, const QByteArray& property)
{
    const QMetaProperty bound = propertyOf(widget, property);
    m_mappings.push_back({widget, field, QByteArray(bound.name())});
    const QMetaMethod changed = metaObject()->method(metaObject()->indexOfSlot("controlChanged()"));
    connect(widget, bound.notifySignal(), this, changed);
    refresh();
}

void FieldMapper::show(const Mapping& mapping, const QVariant& value, bool editable)
{
    QWidget* widget = mapping.widget;
    const QMetaProperty property = propertyOf(widget, mapping.property);
    const QVariant shown = asPropertyValue(value, property);
    // An unchanged value is not set again: a text box keeps its caret.
    if (property.read(widget) != shown) {
        const QSignalBlocker quiet(widget);
        property.write(widget, shown);
    }
    if (widget->metaObject()->indexOfProperty("readOnly") >= 0)
        widget->setProperty("readOnly", !editable);
    else
        widget->setEnabled(editable);
}

void FieldMapper::refresh()
{
    if (m_writing)
        return;  // the control being changed already shows the new value
    const bool editable = hasRecord();
    for (const Mapping& mapping : m_mappings) {
        if (mapping.widget)
            show(mapping, editable ? table()->value(mapping.field) : QVariant(), editable);
    }
}

void FieldMapper::controlChanged()
{
    if (m_policy != SubmitPolicy::AutoSubmit)
        return;
    for (const Mapping& mapping : m_mappings) {
        if (mapping.widget == sender()) {
            try {
                write({&mapping});
            } catch (...) {
                platform::showCurrentException();
            }
            return;
        }
    }
}

void FieldMapper::submit()
{
    std::vector<const Mapping*> all;
    for (const Mapping& mapping : m_mappings)
        if (mapping.widget)
            all.push_back(&mapping);
    write(all);
}

void FieldMapper::write(const std::vector<const Mapping*>& mappings)
{
    if (!hasRecord()) {
        refresh();  // nothing can take the change: the controls show the record again
        return;
    }
    store::Table* t = table();
    try {
        QScopedValueRollback<bool> writing(m_writing, true);
        if (t->state() == store::DataSetState::Browse)
            t->edit();
        for (const Mapping* mapping : mappings)
            t->setValue(mapping->field, mapping->widget->property(mapping->property.constData()));
    } catch (...) {
        refresh();  // the controls show what the record really holds
        throw;
    }
}

}  // namespace widgets
