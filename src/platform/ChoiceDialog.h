#pragma once
// The dialog of a ChoiceRequest: the report's text, its details in a scrolling box, the
// drop-down list of options, and OK / Cancel.

#include "platform/Prompts.h"

#include <QDialog>

class QComboBox;

namespace platform {

class ChoiceDialog : public QDialog {
    Q_OBJECT
public:
    explicit ChoiceDialog(const ChoiceRequest& request, QWidget* parent = nullptr);

    // The option chosen; 0 when the request offers none.
    int chosen() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* m_choices = nullptr;
};

}  // namespace platform
