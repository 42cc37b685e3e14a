#include "filing/ui/ppgafterdirerad.h"

#include "filing/afterfiling.h"
#include "filing/ui/pagewidgets.h"

#include "companion/ui/wizardbase.h"

#include <QGridLayout>
#include <QLabel>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

struct LineLabel
{
    const char* name;
    int row;
    int column;
    int columnSpan;
    const char* text;
};

// The three bullet lines; the last label of each becomes its link.
const LineLabel kLabels[] = {
    {"line1_1", 3, 1, 1, " -"},
    {"line1_2", 3, 2, 4, "You provided your email address. Don't forget to sign up for"},
    {"line1_myaccount", 3, 6, 1, "My Account."},
    {"line2_1", 5, 1, 1, " -"},
    {"line2_2", 5, 2, 4, "Want to get your refund faster? Sign up for"},
    {"line2_DirDeposit", 5, 6, 1, "direct deposit."},
    {"line3_1", 7, 1, 1, " -"},
    {"line3_2", 7, 2, 1, "Owe money?"},
    {"line3_PayNow", 7, 3, 1, "Pay now"},
    {"line3_4", 7, 4, 1, " or"},
    {"line3_Pay", 7, 5, 1, "arrange to pay"},
    {"line3_6", 7, 6, 1, " it later"},
};

struct Link
{
    const char* label;
    AgencyPage page;
    const char* text;
};

const Link kLinks[] = {
    {"line1_myaccount", AgencyPage::MyAccount, "My Account"},
    {"line2_DirDeposit", AgencyPage::DirectDeposit, "Direct Deposit"},
    {"line3_PayNow", AgencyPage::PayNow, "Pay Now"},
    {"line3_Pay", AgencyPage::ArrangeToPay, "Arrange to pay"},
};

} // namespace

PpgAfterDirerad_tab1::PpgAfterDirerad_tab1(bool emailGiven, double balance, QWidget* parent)
    : PpgWizardPage(nullptr, nullptr, parent), m_emailGiven(emailGiven), m_balance(balance)
{
    using namespace pagewidgets;
    setWindowTitle(QStringLiteral("PpgAfterDirerad_tab1"));
    QGridLayout* grid = pageGrid(this, "PpgAfterDirerad_tab1");

    grid->addItem(new QSpacerItem(20, 28, QSizePolicy::Minimum, QSizePolicy::Fixed), 0, 0);
    for (int row : {2, 4, 6, 8})
        grid->addItem(new QSpacerItem(20, 16, QSizePolicy::Minimum, QSizePolicy::Fixed), row, 0);
    grid->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding), 9, 0);
    const int widths[] = {10, 80, 50, 10, 60, 40};
    for (int column = 1; column <= 6; ++column)
        grid->addItem(new QSpacerItem(widths[column - 1], 10, QSizePolicy::Fixed, QSizePolicy::Minimum), 9, column);
    grid->addItem(new QSpacerItem(10, 20, QSizePolicy::Fixed, QSizePolicy::Minimum), 0, 8);
    grid->addItem(new QSpacerItem(10, 20, QSizePolicy::Fixed, QSizePolicy::Minimum), 10, 8);

    grid->addWidget(sunkenLine(this, "line"), 0, 1, 1, 7);
    QLabel* heading = label(this, "label", tr("CRA Online Service"));
    setPointSize(heading, 12, true);
    grid->addWidget(heading, 1, 1, 1, 6);
    for (const LineLabel& l : kLabels)
        grid->addWidget(label(this, l.name, tr(l.text)), l.row, l.column, 1, l.columnSpan);
    grid->addWidget(sunkenLine(this, "line1"), 10, 1, 1, 7);
}

void PpgAfterDirerad_tab1::AssociateFormData()
{
    const AfterFilingOffer offer = afterFilingOffer(m_emailGiven, m_balance);
    auto show = [this](const char* prefix, bool visible) {
        for (const LineLabel& l : kLabels)
            if (QLatin1String(l.name).startsWith(QLatin1String(prefix)))
                findChild<QLabel*>(QLatin1String(l.name))->setVisible(visible);
    };
    show("line1_", offer.myAccount);
    show("line2_", offer.directDeposit);
    show("line3_", offer.payment);
    const bool shown[] = {offer.myAccount, offer.directDeposit, offer.payment, offer.payment};
    for (int i = 0; i < 4; ++i)
        if (shown[i])
            pagewidgets::makeWebLink(findChild<QLabel*>(QLatin1String(kLinks[i].label)), agencyPageUrl(kLinks[i].page),
                                     tr(kLinks[i].text));
}

void runAfterDireradPage(bool emailGiven, double balance, QWidget* parent)
{
    if (!offersAfterFilingPage(emailGiven, balance))
        return;
    WizardBase wizard(parent, QObject::tr("CRA Online Service"));
    wizard.addPage(new PpgAfterDirerad_tab1(emailGiven, balance, &wizard));
    wizard.initUI(770, 540);
    wizard.exec();
}
