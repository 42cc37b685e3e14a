#pragma once

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QVBoxLayout;
class QWidget;

// The start page's layout built in code: the heading, the filter row, the
// table of recent returns and the five buttons.
class Ui_ViewIntroduction
{
public:
    QVBoxLayout* verticalLayout_2 = nullptr;
    QVBoxLayout* verticalLayout = nullptr;
    QLabel* label = nullptr;
    QHBoxLayout* horizontalLayout = nullptr;
    QLabel* label_2 = nullptr;
    QLineEdit* edtFilter = nullptr;
    QPushButton* resetFilterButton = nullptr;
    QTableView* tableView = nullptr;
    QGridLayout* gridLayout = nullptr;
    QPushButton* openButton = nullptr;
    QPushButton* delButton = nullptr;
    QPushButton* prefButton = nullptr;
    QPushButton* newButton = nullptr;
    QPushButton* importButton = nullptr;

    void setupUi(QWidget* page);
    void retranslateUi(QWidget* page);
};
