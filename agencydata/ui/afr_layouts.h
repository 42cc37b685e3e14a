#pragma once

#include <vector>

// Widget layouts of the three Auto-fill wizard pages. The options page
// names its inputs "fld_" + the DataAFR field they edit; setupUi builds the
// widgets as children of the page and binds nothing.

class QButtonGroup;
class QFrame;
class QGridLayout;
class QLabel;
class QPlainTextEdit;
class QRadioButton;
class QVBoxLayout;
class QWidget;
class StyledCheckBox;

class Ui_AFR_Option
{
public:
    void setupUi(QWidget* page);

    QVBoxLayout* verticalLayout = nullptr;
    QGridLayout* gridLayout = nullptr;
    QFrame* line = nullptr;
    QLabel* label = nullptr;
    QLabel* label1 = nullptr;
    QRadioButton* fld_iFillOption_0 = nullptr;
    QRadioButton* fld_iFillOption_1 = nullptr;
    QButtonGroup* fld_iFillOption = nullptr;
    // The 23 boxes in the order of the record's fields.
    std::vector<StyledCheckBox*> boxes;
    QFrame* line1 = nullptr;
};

class Ui_AFR_Data
{
public:
    void setupUi(QWidget* page);

    QVBoxLayout* verticalLayout = nullptr;
    QGridLayout* gridLayout = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* TopupInfo = nullptr;
    QPlainTextEdit* txtTaxData = nullptr;
};

class Ui_AFR_Message
{
public:
    void setupUi(QWidget* page);

    QVBoxLayout* verticalLayout = nullptr;
    QGridLayout* gridLayout = nullptr;
    QFrame* line = nullptr;
    QLabel* label = nullptr;
    // label1 to label6, one line of the notice each.
    std::vector<QLabel*> lines;
    QFrame* line1 = nullptr;
};
