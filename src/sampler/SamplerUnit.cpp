#include "sampler/SamplerUnit.h"

TSamplerForm* SamplerForm = nullptr;

TSamplerForm::TSamplerForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("SamplerForm"));
    setWindowTitle(QStringLiteral("Quizlore Test Sampler"));
    setMinimumSize(646, 462);
    resize(646, 462);
}
