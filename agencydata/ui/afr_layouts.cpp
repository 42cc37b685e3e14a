#include "agencydata/ui/afr_layouts.h"

#include "companion/ui/styledwidgets.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

// What the three pages share: a 12-point font, no background of their own
// and one grid inside a vertical layout.
QGridLayout* makePageGrid(QWidget* page, const char* objectName, int width, int height, QVBoxLayout*& vertical)
{
    page->setObjectName(QString::fromLatin1(objectName));
    page->setWindowTitle(QString::fromLatin1(objectName));
    page->resize(width, height);
    QFont font = page->font();
    font.setPointSize(12);
    page->setFont(font);
    page->setAutoFillBackground(false);
    vertical = new QVBoxLayout(page);
    vertical->setObjectName(QStringLiteral("verticalLayout"));
    auto* grid = new QGridLayout();
    grid->setObjectName(QStringLiteral("gridLayout"));
    vertical->addLayout(grid);
    return grid;
}

template <class Widget>
Widget* named(QWidget* page, const char* name)
{
    auto* widget = new Widget(page);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

template <class Widget>
Widget* withText(QWidget* page, const char* name, const char* text)
{
    auto* widget = named<Widget>(page, name);
    widget->setText(QString::fromUtf8(text));
    return widget;
}

QFrame* sunkenLine(QWidget* page, const char* name)
{
    auto* line = named<QFrame>(page, name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QLabel* boldTitle(QWidget* page, const char* name, const char* text)
{
    auto* title = withText<QLabel>(page, name, text);
    QFont font = title->font();
    font.setPointSize(12);
    font.setBold(true);
    font.setWeight(75);
    title->setFont(font);
    return title;
}

// Room before a column or between groups of rows.
void fixedGap(QGridLayout* grid, int row, int column)
{
    grid->addItem(new QSpacerItem(20, 12, QSizePolicy::Fixed, QSizePolicy::Fixed), row, column);
}

void stretchDown(QGridLayout* grid, int row, int column, int span = 1)
{
    grid->addItem(new QSpacerItem(20, 20, QSizePolicy::Minimum, QSizePolicy::Expanding), row, column, 1, span);
}

void stretchRight(QGridLayout* grid, int row, int column)
{
    grid->addItem(new QSpacerItem(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), row, column);
}

} // namespace

void Ui_AFR_Option::setupUi(QWidget* page)
{
    gridLayout = makePageGrid(page, "AFR_Option", 797, 490, verticalLayout);

    line = sunkenLine(page, "line");
    gridLayout->addWidget(line, 0, 1, 1, 5);
    label = boldTitle(page, "label", "Auto-Fill Tax Return Options");
    gridLayout->addWidget(label, 1, 1, 1, 4);
    label1 = withText<QLabel>(
        page, "label1",
        "Please specify how you want to auto-fill the return using the tax data retrieved from CRA system");
    label1->setWordWrap(true);
    label1->setMargin(1);
    label1->setMinimumSize(320, 36);
    gridLayout->addWidget(label1, 3, 1, 1, 4);

    fld_iFillOption_0 = withText<QRadioButton>(page, "fld_iFillOption_0", "Select all tax data elements");
    fld_iFillOption_1 = withText<QRadioButton>(page, "fld_iFillOption_1", "Select only the following tax data elements");
    fld_iFillOption = new QButtonGroup(page);
    fld_iFillOption->setObjectName(QStringLiteral("fld_iFillOption"));
    int row = 5;
    for (QRadioButton* radio : {fld_iFillOption_0, fld_iFillOption_1}) {
        radio->setLayoutDirection(Qt::LeftToRight);
        radio->setFocusPolicy(Qt::StrongFocus);
        fld_iFillOption->addButton(radio);
        gridLayout->addWidget(radio, row++, 1, 1, 4);
    }

    struct Box
    {
        const char* name;
        const char* text;
        int row;
        int column;
        int span;
    };
    // In the order of the record's fields.
    static const Box kBoxes[] = {
        {"fld_bT4", "T4", 7, 1, 1},
        {"fld_bT4A", "T4A", 7, 2, 1},
        {"fld_bT4AOAS", "T4A(OAS)", 7, 3, 1},
        {"fld_bT4AP", "T4A(P)", 7, 4, 1},
        {"fld_bT4E", "T4E", 8, 1, 1},
        {"fld_bT4FHSA", "T4FHSA", 8, 2, 1},
        {"fld_bT4RIF", "T4RIF", 8, 3, 1},
        {"fld_bT1204", "T1204", 8, 4, 1},
        {"fld_bT3", "T3", 9, 1, 1},
        {"fld_bT5", "T5", 9, 2, 1},
        {"fld_bPRPP", "PRPP tax slip", 9, 3, 2},
        {"fld_bRC62", "RC62", 10, 1, 1},
        {"fld_bRC210", "RC210", 10, 2, 1},
        {"fld_bT5007", "T5007", 10, 3, 1},
        {"fld_bT5008", "T5008", 10, 4, 1},
        {"fld_bTuition", "Fed./Prov. Tuition Carryover amount", 12, 1, 3},
        {"fld_bT2202", "T2202", 12, 4, 1},
        {"fld_bMBSB", "Manitoba shelter benefit slip", 13, 1, 2},
        {"fld_bInstalment", "Tax instalment from CRA records", 13, 3, 2},
        {"fld_bRRSPLimit", "RRSP Deduction Limit and Unused RRSP from CRA records", 15, 1, 4},
        {"fld_bT4RSP", "T4RSP slip", 16, 1, 1},
        {"fld_bRRSPContribution", "RRSP Contribution Receipt", 16, 2, 3},
        {"fld_bHBPLLP", "HBP/LLP required repayment from CRA records", 18, 1, 2},
    };
    for (const Box& box : kBoxes) {
        auto* check = withText<StyledCheckBox>(page, box.name, box.text);
        gridLayout->addWidget(check, box.row, box.column, 1, box.span);
        boxes.push_back(check);
    }

    line1 = sunkenLine(page, "line1");
    gridLayout->addWidget(line1, 21, 1, 1, 5);

    for (int gapRow : {0, 2, 4, 11, 14, 17, 19})
        fixedGap(gridLayout, gapRow, 0);
    stretchDown(gridLayout, 20, 0);
    stretchDown(gridLayout, 20, 1, 4);
    stretchRight(gridLayout, 0, 6);
    stretchRight(gridLayout, 21, 6);
}

void Ui_AFR_Data::setupUi(QWidget* page)
{
    gridLayout = makePageGrid(page, "AFR_Data", 885, 547, verticalLayout);

    lblTitle = boldTitle(page, "lblTitle", "View Auto-Fill Tax Data");
    gridLayout->addWidget(lblTitle, 0, 1, 1, 3);
    TopupInfo = withText<QLabel>(page, "TopupInfo",
                                 "If currently opened return has the identical S.I.N. of this tax data, you can "
                                 "choose to auto-fill tax return with this data.");
    TopupInfo->setWordWrap(true);
    gridLayout->addWidget(TopupInfo, 2, 2, 1, 2);
    txtTaxData = named<QPlainTextEdit>(page, "txtTaxData");
    txtTaxData->setReadOnly(true);
    gridLayout->addWidget(txtTaxData, 3, 2);

    fixedGap(gridLayout, 3, 0);
    fixedGap(gridLayout, 4, 4);
}

void Ui_AFR_Message::setupUi(QWidget* page)
{
    gridLayout = makePageGrid(page, "AFR_Message", 735, 400, verticalLayout);

    line = sunkenLine(page, "line");
    gridLayout->addWidget(line, 0, 1, 1, 5);
    label = withText<QLabel>(page, "label", "Important Notice:");
    gridLayout->addWidget(label, 2, 2, 1, 3);

    struct Line
    {
        const char* name;
        const char* text;
        int row;
        int span;
    };
    static const Line kLines[] = {
        {"label1", "AFR (Auto-Fill Return) will not populate Capital Gain/Loss", 4, 3},
        {"label2", "data, Capital Gain Deduction, and Non-Capital loss information", 5, 3},
        {"label3", "into tax return. Please handle it manually", 6, 3},
        {"label4", "After auto-fill return, please re-verify auto-filled data in the tax", 8, 1},
        {"label5", "return, check if there are any missed data in tax slips/forms.", 9, 1},
        {"label6", "Auto-Filled tax slips will be marked as 'Auto-Fill' in its names.", 10, 1},
    };
    for (const Line& text : kLines) {
        auto* l = withText<QLabel>(page, text.name, text.text);
        gridLayout->addWidget(l, text.row, 2, 1, text.span);
        lines.push_back(l);
    }

    line1 = sunkenLine(page, "line1");
    gridLayout->addWidget(line1, 13, 1, 1, 5);

    for (int gapRow : {0, 3, 7, 11})
        fixedGap(gridLayout, gapRow, 0);
    stretchDown(gridLayout, 12, 0);
    stretchDown(gridLayout, 12, 1, 4);
    stretchRight(gridLayout, 0, 6);
    stretchRight(gridLayout, 13, 6);
}
