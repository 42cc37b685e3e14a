#pragma once

class FolderView;
class QComboBox;
class QFrame;
class QHBoxLayout;
class QLabel;
class QSplitter;
class QTabWidget;
class QVBoxLayout;
class QWidget;

// The open-return page's layout built in code: a splitter with the left pane
// (chooser, tree, result lines) and the right pane (description, tabs).
class Ui_Form_Return
{
public:
    QHBoxLayout* horizontalLayout = nullptr;
    QSplitter* splitter = nullptr;
    QFrame* frame = nullptr;
    QVBoxLayout* verticalLayout = nullptr;
    QLabel* label_3 = nullptr;
    QComboBox* comboBox = nullptr;
    FolderView* treeFolderView = nullptr;
    QLabel* lblResultLine1 = nullptr;
    QLabel* lblResultLine2 = nullptr;
    QLabel* lblResultLine3 = nullptr;
    QFrame* frame_2 = nullptr;
    QVBoxLayout* verticalLayout_2 = nullptr;
    QLabel* lblFormDesc = nullptr;
    QLabel* lblNotComputed = nullptr;
    QTabWidget* tabForm = nullptr;

    void setupUi(QWidget* page);
    void retranslateUi(QWidget* page);
};
