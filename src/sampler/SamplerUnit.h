#pragma once
// The test sampler: the editor of the user question set.

#include <QMainWindow>

class TSamplerForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TSamplerForm(QWidget* parent = nullptr);
};

extern TSamplerForm* SamplerForm;
