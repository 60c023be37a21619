#pragma once
// Binds controls to fields of a table's current record, in the manner of QDataWidgetMapper:
// one mapping per control, by a property of the control (its user property unless another
// is named: a text box's text, a check box's checked state).
//
// Every move of the current record and every change of its editing state shows the record's
// fields in the controls. When a change made in a control reaches the record is the submit
// policy's: at once (the record goes into editing with the first change), or only at submit().
// While there is no record to take a change (the table closed or empty) the controls are
// read-only, and a change made then is taken back: the control shows the record again.
// A control that is destroyed drops out of its mapping.

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <vector>

namespace store {
class DataSource;
class Table;
}  // namespace store

namespace widgets {

class FieldMapper : public QObject {
    Q_OBJECT
public:
    enum class SubmitPolicy {
        AutoSubmit,    // each change goes into the record's edit buffer as it is made
        ManualSubmit,  // changes stay in the controls until submit()
    };

    explicit FieldMapper(store::DataSource* source, SubmitPolicy policy = SubmitPolicy::AutoSubmit,
                         QObject* parent = nullptr);

    // Binds `property` of `widget` (its user property when empty) to `field` and shows the
    // current record's value. The property must have a change signal.
    void addMapping(QWidget* widget, const QString& field, const QByteArray& property = QByteArray());

    SubmitPolicy submitPolicy() const { return m_policy; }
    // Writes what every control shows into the current record, which goes into editing.
    void submit();
    // Shows the current record in every control.
    void refresh();

private slots:
    void controlChanged();

private:
    struct Mapping {
        QPointer<QWidget> widget;
        QString field;
        QByteArray property;
    };
    store::Table* table() const;
    bool hasRecord() const;
    void show(const Mapping& mapping, const QVariant& value, bool editable);
    void write(const std::vector<const Mapping*>& mappings);

    store::DataSource* m_source;
    SubmitPolicy m_policy;
    std::vector<Mapping> m_mappings;
    bool m_writing = false;  // a control's change is going into the record
};

}  // namespace widgets
