#include "dialogs/newreturnbasic_layouts.h"

#include "companion/ui/ct1combobox.h"
#include "companion/ui/styledwidgets.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

namespace {

// The frame the three pages share: 12-point font, a bold header label and a
// sunken line under it; the content goes below, then the closing line.
QGridLayout* makeFrame(QWidget* page, const char* header, QLabel*& label, QFrame*& line)
{
    QFont font = page->font();
    font.setPointSize(12);
    page->setFont(font);

    auto* grid = new QGridLayout(page);
    grid->setObjectName(QStringLiteral("gridLayout"));

    label = new QLabel(QString::fromUtf8(header), page);
    label->setObjectName(QStringLiteral("label"));
    QFont bold = label->font();
    bold.setWeight(QFont::Bold);
    label->setFont(bold);
    grid->addWidget(label, 0, 0, 1, 2);

    line = new QFrame(page);
    line->setObjectName(QStringLiteral("line"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    grid->addWidget(line, 1, 0, 1, 2);
    return grid;
}

QFrame* closeFrame(QWidget* page, QGridLayout* grid)
{
    auto* line1 = new QFrame(page);
    line1->setObjectName(QStringLiteral("line1"));
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);
    const int row = grid->rowCount();
    grid->addWidget(line1, row, 0, 1, 2);
    grid->setRowStretch(row + 1, 1);
    return line1;
}

template <class Widget>
Widget* named(QWidget* page, const char* name)
{
    auto* widget = new Widget(page);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* makeLabel(QWidget* page, const char* name, const char* text)
{
    auto* l = named<QLabel>(page, name);
    l->setText(QString::fromUtf8(text));
    return l;
}

template <class Box>
Box* textBox(QWidget* page, const char* name, const char* text)
{
    auto* box = named<Box>(page, name);
    box->setText(QString::fromUtf8(text));
    return box;
}

StyledDateEdit* dateEdit(QWidget* page, const char* name)
{
    auto* edit = named<StyledDateEdit>(page, name);
    edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    // An adult's date of birth: the calendar of an empty field opens on a
    // year near it rather than on this one.
    edit->setEmptyCalendarYearsAgo(40);
    return edit;
}

} // namespace

void Ui_NewReturnBasic_tab1::setupUi(QWidget* page)
{
    gridLayout = makeFrame(page, "Tax payer's basic information", label, line);

    label1 = makeLabel(page, "label1", "First Name");
    label2 = makeLabel(page, "label2", "Last Name");
    gridLayout->addWidget(label1, 2, 0);
    gridLayout->addWidget(label2, 2, 1);
    fld_FirstName = named<StringLineEdit>(page, "fld_FirstName");
    fld_LastName = named<StringLineEdit>(page, "fld_LastName");
    gridLayout->addWidget(fld_FirstName, 3, 0);
    gridLayout->addWidget(fld_LastName, 3, 1);

    label3 = makeLabel(page, "label3", "Social Insurance Number");
    label4 = makeLabel(page, "label4", "Date of Birth");
    gridLayout->addWidget(label3, 4, 0);
    gridLayout->addWidget(label4, 4, 1);
    fld_sin = named<StringLineEdit>(page, "fld_sin");
    fld_dob = dateEdit(page, "fld_dob");
    gridLayout->addWidget(fld_sin, 5, 0);
    gridLayout->addWidget(fld_dob, 5, 1);

    label5 = makeLabel(page, "label5", "Tax province (residence on Dec. 31 of the tax year)");
    gridLayout->addWidget(label5, 6, 0, 1, 2);
    fld_TaxPronv = named<CT1ComboBox>(page, "fld_TaxPronv");
    gridLayout->addWidget(fld_TaxPronv, 7, 0, 1, 2);

    label6 = makeLabel(page, "label6", "Marital status");
    gridLayout->addWidget(label6, 8, 0, 1, 2);
    gridLayoutMarital = new QGridLayout();
    gridLayoutMarital->setObjectName(QStringLiteral("gridLayoutMarital"));
    fld_MaritalStatus_0 = textBox<QRadioButton>(page, "fld_MaritalStatus_0", "Married");
    fld_MaritalStatus_1 = textBox<QRadioButton>(page, "fld_MaritalStatus_1", "Common-law");
    fld_MaritalStatus_2 = textBox<QRadioButton>(page, "fld_MaritalStatus_2", "Widowed");
    fld_MaritalStatus_3 = textBox<QRadioButton>(page, "fld_MaritalStatus_3", "Divorced");
    fld_MaritalStatus_4 = textBox<QRadioButton>(page, "fld_MaritalStatus_4", "Separated");
    fld_MaritalStatus_5 = textBox<QRadioButton>(page, "fld_MaritalStatus_5", "Single");
    fld_MaritalStatus = new QButtonGroup(page);
    fld_MaritalStatus->setObjectName(QStringLiteral("fld_MaritalStatus"));
    QRadioButton* const radios[] = {fld_MaritalStatus_0, fld_MaritalStatus_1, fld_MaritalStatus_2,
                                    fld_MaritalStatus_3, fld_MaritalStatus_4, fld_MaritalStatus_5};
    int k = 0;
    for (QRadioButton* button : radios) {
        // Numbered by the binding from the buttons' names.
        fld_MaritalStatus->addButton(button);
        gridLayoutMarital->addWidget(button, k / 3, k % 3);
        ++k;
    }
    gridLayout->addLayout(gridLayoutMarital, 9, 0, 1, 2);

    line1 = closeFrame(page, gridLayout);
}

void Ui_NewReturnBasic_Spouse::setupUi(QWidget* page)
{
    gridLayout = makeFrame(page, "Spouse's basic information", label, line);

    label1 = makeLabel(page, "label1", "First Name");
    label2 = makeLabel(page, "label2", "Last Name");
    gridLayout->addWidget(label1, 2, 0);
    gridLayout->addWidget(label2, 2, 1);
    fld_FirstNameSpouse = named<StringLineEdit>(page, "fld_FirstNameSpouse");
    fld_LastNameSpouse = named<StringLineEdit>(page, "fld_LastNameSpouse");
    gridLayout->addWidget(fld_FirstNameSpouse, 3, 0);
    gridLayout->addWidget(fld_LastNameSpouse, 3, 1);

    label3 = makeLabel(page, "label3", "Coupled return, to process spouse's return together?");
    gridLayout->addWidget(label3, 4, 0, 1, 2);
    fld_Coupled = textBox<StyledCheckBox>(page, "fld_Coupled", "Check to make a coupled return");
    gridLayout->addWidget(fld_Coupled, 5, 0, 1, 2);
    fld_SpouseNonResident =
        textBox<StyledCheckBox>(page, "fld_SpouseNonResident", "Spouse is a non-resident of Canada");
    gridLayout->addWidget(fld_SpouseNonResident, 6, 0, 1, 2);

    label4 = makeLabel(page, "label4", "Social Insurance Number");
    label5 = makeLabel(page, "label5", "Date of Birth");
    gridLayout->addWidget(label4, 7, 0);
    gridLayout->addWidget(label5, 7, 1);
    fld_sinSpouse = named<StringLineEdit>(page, "fld_sinSpouse");
    fld_dobSpouse = dateEdit(page, "fld_dobSpouse");
    gridLayout->addWidget(fld_sinSpouse, 8, 0);
    gridLayout->addWidget(fld_dobSpouse, 8, 1);

    label6 = makeLabel(page, "label6", "Tax province (residence on Dec. 31 of the tax year)");
    gridLayout->addWidget(label6, 9, 0, 1, 2);
    fld_TaxPronvSpouse = named<CT1ComboBox>(page, "fld_TaxPronvSpouse");
    gridLayout->addWidget(fld_TaxPronvSpouse, 10, 0, 1, 2);

    line1 = closeFrame(page, gridLayout);
}

void Ui_NewReturnBasic_FormOption::setupUi(QWidget* page)
{
    gridLayout = makeFrame(page, "Forms and Schedules", label, line);

    struct Box
    {
        StyledCheckBox** member;
        const char* name;
        const char* text;
    };
    const Box boxes[] = {
        {&fld_bSch3, "fld_bSch3",
         "Schedule 3 for Capital gain/loss. e.g. stock/mutual fund transactions, house sale"},
        {&fld_bSch4, "fld_bSch4", "Schedule 4 for Dividend income and/or bank interest"},
        {&fld_bSch6, "fld_bSch6", "Schedule 6 for Canada Worker Benefit"},
        {&fld_bSch7, "fld_bSch7", "Schedule 7 for RRSP"},
        {&fld_bSch9, "fld_bSch9", "Schedule 9 for Donations/Gifts"},
        {&fld_bSch11, "fld_bSch11", "Schedule 11 for Tuition tax credit"},
        {&fld_bSch15, "fld_bSch15", "Schedule 15 for FHSA"},
        {&fld_bT776, "fld_bT776", "T776 for Rental income"},
        {&fld_bT2125, "fld_bT2125", "T2125 Business/Professional Activities"},
        {&fld_bT1DD, "fld_bT1DD", "Direct Deposit (EFile only)"},
    };
    int row = 2;
    for (const Box& box : boxes) {
        *box.member = textBox<StyledCheckBox>(page, box.name, box.text);
        gridLayout->addWidget(*box.member, row++, 0, 1, 2);
    }

    line1 = closeFrame(page, gridLayout);
}
