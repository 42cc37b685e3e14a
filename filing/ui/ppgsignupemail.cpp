#include "filing/ui/ppgsignupemail.h"

#include "filing/ui/pagewidgets.h"

#include "companion/ui/wizardbase.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpacerItem>
#include <QVBoxLayout>

DataPpgSignupEmail::DataPpgSignupEmail()
{
    fld_signup.setName(QStringLiteral("fld_signup"));
    addField(&fld_signup);
}

PpgSignupEmail_tab1::PpgSignupEmail_tab1(DataPpgSignupEmail* data, QWidget* parent)
    : PpgWizardPage(data, nullptr, parent)
{
    using namespace pagewidgets;
    QGridLayout* grid = pageGrid(this, "PpgSignupEmail_tab1");

    for (int row : {0, 2, 4, 7, 9})
        grid->addItem(new QSpacerItem(20, 12, QSizePolicy::Fixed, QSizePolicy::Fixed), row, 0);
    grid->addItem(new QSpacerItem(10, 20, QSizePolicy::Fixed, QSizePolicy::Minimum), 0, 8);
    grid->addItem(new QSpacerItem(10, 20, QSizePolicy::Fixed, QSizePolicy::Minimum), 11, 8);
    grid->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding), 10, 1);

    grid->addWidget(sunkenLine(this, "line"), 0, 1, 1, 7);
    QLabel* heading = label(this, "label", tr("Online Email Sign-up"));
    setPointSize(heading, 12, true);
    grid->addWidget(heading, 1, 1, 1, 6);
    QLabel* intro = label(this, "label1", tr("Ready to file? Only one more step. Sign up for online mail today."));
    intro->setWordWrap(true);
    grid->addWidget(intro, 3, 1, 1, 6);

    auto* yes = new QRadioButton(this);
    yes->setObjectName(QStringLiteral("fld_signup_0"));
    grid->addWidget(yes, 5, 1, Qt::AlignLeft);
    grid->addWidget(label(this, "label2", tr("Yes, sign me up! It only takes 1 minute.")), 5, 2, 1, 5);
    grid->addWidget(label(this, "label3", tr("(After click 'Finish' button, please enter email on page 1 of T1.)")),
                    6, 1, 1, 6);
    auto* no = new QRadioButton(this);
    no->setObjectName(QStringLiteral("fld_signup_1"));
    grid->addWidget(no, 8, 1, Qt::AlignLeft);
    grid->addWidget(label(this, "label4", tr("No. I'm not ready to go paperless, or I have already signed up.")), 8,
                    2, 1, 5);
    grid->addWidget(sunkenLine(this, "line1"), 11, 1, 1, 7);

    auto* group = new QButtonGroup(this);
    group->setObjectName(QStringLiteral("fld_signup"));
    group->addButton(yes);
    group->addButton(no);
}

void PpgSignupEmail_tab1::AssociateFormData()
{
    if (auto* rec = record<DataPpgSignupEmail>())
        bindRadioGroup(QStringLiteral("signup"), &rec->fld_signup);
}

bool PpgSignupEmail_tab1::validatePage()
{
    PpgWizardPage::validatePage();
    const auto* rec = record<DataPpgSignupEmail>();
    return rec && (rec->fld_signup.m_value == DataPpgSignupEmail::SignMeUp
                   || rec->fld_signup.m_value == DataPpgSignupEmail::NotNow);
}

int runOnlineMailSignup(QWidget* parent)
{
    DataPpgSignupEmail record;
    WizardBase wizard(parent, QObject::tr("Online Email Promotion"));
    wizard.addPage(new PpgSignupEmail_tab1(&record, &wizard));
    wizard.initUI(670, 540);
    if (wizard.exec() != 1)
        return DataPpgSignupEmail::NoChoice;
    return record.fld_signup.m_value;
}
