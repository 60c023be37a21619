#pragma once
// The test sampler's data module: it owns the sampler's own user question set component.

#include <QObject>

class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(QObject* parent = nullptr);
};

extern TDM* DM;
