#include "sampler/Rep1Unit.h"

TDM* DM = nullptr;

TDM::TDM(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("DM"));
}
