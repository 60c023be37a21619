#include "sampler/Rep1Unit.h"

#include "sampler/SamplerUnit.h"
#include "store/Fields.h"
#include "store/Table.h"
#include "widgets/OutlinedLabel.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

TDM* DM = nullptr;

TDM::TDM(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("DM"));
    dtUserSet = new store::Table(this);
    dtUserSet->setObjectName(QStringLiteral("dtUserSet"));
    dtUserSet->setTableName(store::UserSetFileName);
    dtUserSet->setExpectedFields(store::fieldNamesOf(store::TableKind::User));
    dtUserSet->setLockRetryCount(15);
    dtUserSet->setLockWaitTime(100);

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
    TSamplerForm* form = SamplerForm;
    if (!form)
        return;
    switch (dtUserSet->state()) {
    case store::DataSetState::Inactive:
        return;
    case store::DataSetState::Browse:
        form->BitBtn1->setEnabled(false);
        form->BitBtn2->setEnabled(false);
        form->StatusPanel(TSamplerForm::StatePanel)->setText(QStringLiteral("  Browsing"));
        return;
    case store::DataSetState::Edit:
        form->StatusPanel(TSamplerForm::StatePanel)->setText(QStringLiteral(" Edit Item"));
        form->fcLabel4->setText(QStringLiteral("Edit Item"));
        break;
    case store::DataSetState::Insert:
        form->fcLabel4->setText(QStringLiteral("Add new item"));
        form->StatusPanel(TSamplerForm::StatePanel)->setText(QStringLiteral(" Add new item"));
        break;
    }
    form->BitBtn1->setEnabled(true);
    form->BitBtn2->setEnabled(true);
    form->StatusPanel(TSamplerForm::ModificationPanel)->setText(QStringLiteral(" Modified"));
}

void TDM::dsUserSetDataChange()
{
    TSamplerForm* form = SamplerForm;
    if (!form)
        return;
    if (dtUserSet->state() == store::DataSetState::Browse) {
        const QString id = QString::number(dtUserSet->value(store::field::Q_ID).toLongLong());
        form->fcLabel4->setText(QStringLiteral("Item ID: ") + id);
        form->StatusPanel(TSamplerForm::ItemPanel)->setText(QStringLiteral(" Item ID: ") + id);
        form->StatusPanel(TSamplerForm::CountPanel)
            ->setText(QStringLiteral(" Items: ") + QString::number(dtUserSet->recordCount()));
        form->showTypeAndSection(dtUserSet->asBoolean(store::field::Q_TYPE),
                                 dtUserSet->asInteger(store::field::Q_SECT));
    }
    if (dtUserSet->isEmpty()) {
        form->EditAct->setEnabled(false);
        form->DelAct->setEnabled(false);
        form->fcLabel4->setText(QStringLiteral("The question set is empty"));
        form->StatusPanel(TSamplerForm::ItemPanel)->setText(QStringLiteral(" Empty"));
    } else if (form->AddAct->isEnabled()) {
        // A set that was empty when last seen may have items now (another program added
        // them): with the commands on, Edit and Delete follow the set.
        form->EditAct->setEnabled(true);
        form->DelAct->setEnabled(true);
    }
}
