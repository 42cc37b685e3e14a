#pragma once

// Widget layouts of the three new-return wizard pages. Each input widget is
// named "fld_" + the DataNewReturnBasic field it edits; labels, lines and
// layouts have other names. setupUi builds the widgets as children of the
// page and binds nothing.

class CT1ComboBox;
class QButtonGroup;
class QFrame;
class QGridLayout;
class QLabel;
class QRadioButton;
class QWidget;
class StringLineEdit;
class StyledCheckBox;
class StyledDateEdit;

class Ui_NewReturnBasic_tab1
{
public:
    void setupUi(QWidget* page);

    QGridLayout* gridLayout = nullptr;
    QLabel* label = nullptr;
    QFrame* line = nullptr;
    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    StringLineEdit* fld_FirstName = nullptr;
    StringLineEdit* fld_LastName = nullptr;
    QLabel* label3 = nullptr;
    QLabel* label4 = nullptr;
    StringLineEdit* fld_sin = nullptr;
    StyledDateEdit* fld_dob = nullptr;
    QLabel* label5 = nullptr;
    CT1ComboBox* fld_TaxPronv = nullptr;
    QLabel* label6 = nullptr;
    QGridLayout* gridLayoutMarital = nullptr;
    QRadioButton* fld_MaritalStatus_0 = nullptr;
    QRadioButton* fld_MaritalStatus_1 = nullptr;
    QRadioButton* fld_MaritalStatus_2 = nullptr;
    QRadioButton* fld_MaritalStatus_3 = nullptr;
    QRadioButton* fld_MaritalStatus_4 = nullptr;
    QRadioButton* fld_MaritalStatus_5 = nullptr;
    QButtonGroup* fld_MaritalStatus = nullptr;
    QFrame* line1 = nullptr;
};

class Ui_NewReturnBasic_Spouse
{
public:
    void setupUi(QWidget* page);

    QGridLayout* gridLayout = nullptr;
    QLabel* label = nullptr;
    QFrame* line = nullptr;
    QLabel* label1 = nullptr;
    QLabel* label2 = nullptr;
    StringLineEdit* fld_FirstNameSpouse = nullptr;
    StringLineEdit* fld_LastNameSpouse = nullptr;
    QLabel* label3 = nullptr;
    StyledCheckBox* fld_Coupled = nullptr;
    StyledCheckBox* fld_SpouseNonResident = nullptr;
    QLabel* label4 = nullptr;
    QLabel* label5 = nullptr;
    StringLineEdit* fld_sinSpouse = nullptr;
    StyledDateEdit* fld_dobSpouse = nullptr;
    QLabel* label6 = nullptr;
    CT1ComboBox* fld_TaxPronvSpouse = nullptr;
    QFrame* line1 = nullptr;
};

class Ui_NewReturnBasic_FormOption
{
public:
    void setupUi(QWidget* page);

    QGridLayout* gridLayout = nullptr;
    QLabel* label = nullptr;
    QFrame* line = nullptr;
    StyledCheckBox* fld_bSch3 = nullptr;
    StyledCheckBox* fld_bSch4 = nullptr;
    StyledCheckBox* fld_bSch6 = nullptr;
    StyledCheckBox* fld_bSch7 = nullptr;
    StyledCheckBox* fld_bSch9 = nullptr;
    StyledCheckBox* fld_bSch11 = nullptr;
    StyledCheckBox* fld_bSch15 = nullptr;
    StyledCheckBox* fld_bT776 = nullptr;
    StyledCheckBox* fld_bT2125 = nullptr;
    StyledCheckBox* fld_bT1DD = nullptr;
    QFrame* line1 = nullptr;
};
