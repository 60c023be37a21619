#include "widgets/RadioGroup.h"

#include <QRadioButton>
#include <QVBoxLayout>

namespace widgets {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent)
{
    auto* layout = new QVBoxLayout(this);
    for (const QString& text : items) {
        auto* button = new QRadioButton(text, this);
        const int index = int(m_items.size());
        m_items.append(button);
        layout->addWidget(button);
        // A radio button reports its selection once its siblings are cleared.
        connect(button, &QRadioButton::toggled, this, [this, index](bool on) {
            if (on)
                emit itemSelected(index);
        });
    }
    layout->addStretch();
}

int RadioGroup::ItemIndex() const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->isChecked())
            return i;
    }
    return -1;
}

void RadioGroup::setItemIndex(int index)
{
    if (QRadioButton* button = item(index))
        button->setChecked(true);
}

}  // namespace widgets
