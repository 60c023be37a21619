#include "sampler/Rep1Unit.h"

#include "store/Fields.h"

TDM* DM = nullptr;

TDM::TDM(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("DM"));
    dtUserSet = new store::Table(this);
    dtUserSet->setObjectName(QStringLiteral("dtUserSet"));
    dtUserSet->setTableName(store::UserSetFileName);
    dtUserSet->setExpectedFields(store::fieldNamesOf(store::TableKind::User));

    dsUserSet = new store::DataSource(this);
    dsUserSet->setObjectName(QStringLiteral("dsUserSet"));
    dsUserSet->setDataSet(dtUserSet);
    connect(dsUserSet, &store::DataSource::stateChange, this, &TDM::dsUserSetStateChange);
    connect(dsUserSet, &store::DataSource::dataChange, this, &TDM::dsUserSetDataChange);
}

void TDM::setSession(store::Session* session)
{
    dtUserSet->setSession(session);
}

void TDM::dsUserSetStateChange()
{
    const store::DataSetState state = dtUserSet->state();
    if (state != store::DataSetState::Inactive)
        emit userSetStateChanged(state);
}

void TDM::dsUserSetDataChange()
{
    UserSetData data;
    data.browsing = dtUserSet->state() == store::DataSetState::Browse;
    if (data.browsing) {
        data.itemId = dtUserSet->value(store::field::Q_ID).toLongLong();
        data.itemCount = dtUserSet->recordCount();
        data.multipleResponse = dtUserSet->asBoolean(store::field::Q_TYPE);
        data.section = dtUserSet->asInteger(store::field::Q_SECT);
    }
    data.empty = dtUserSet->isEmpty();
    emit userSetDataChanged(data);
}
