#include "workspace/ui_viewintroduction.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

void setPointSize(QWidget* widget, int points)
{
    QFont font = widget->font();
    font.setPointSize(points);
    widget->setFont(font);
}

template <typename T>
T* named(T* object, const char* name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

} // namespace

void Ui_ViewIntroduction::setupUi(QWidget* page)
{
    if (page->objectName().isEmpty())
        page->setObjectName(QStringLiteral("ViewIntroduction"));
    page->resize(800, 523);
    setPointSize(page, 10);

    verticalLayout_2 = named(new QVBoxLayout(page), "verticalLayout_2");
    verticalLayout = named(new QVBoxLayout(), "verticalLayout");

    label = named(new QLabel(page), "label");
    setPointSize(label, 12);
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    verticalLayout->addWidget(label);

    horizontalLayout = named(new QHBoxLayout(), "horizontalLayout");
    label_2 = named(new QLabel(page), "label_2");
    setPointSize(label_2, 11);
    horizontalLayout->addWidget(label_2);
    edtFilter = named(new QLineEdit(page), "edtFilter");
    horizontalLayout->addWidget(edtFilter);
    resetFilterButton = named(new QPushButton(page), "resetFilterButton");
    horizontalLayout->addWidget(resetFilterButton);
    verticalLayout->addLayout(horizontalLayout);

    tableView = named(new QTableView(page), "tableView");
    setPointSize(tableView, 11);
    tableView->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::MinimumExpanding);
    verticalLayout->addWidget(tableView);

    gridLayout = named(new QGridLayout(), "gridLayout");
    openButton = named(new QPushButton(page), "openButton");
    openButton->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    delButton = named(new QPushButton(page), "delButton");
    prefButton = named(new QPushButton(page), "prefButton");
    newButton = named(new QPushButton(page), "newButton");
    newButton->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    importButton = named(new QPushButton(page), "importButton");
    setPointSize(importButton, 10);
    gridLayout->addWidget(newButton, 0, 0);
    gridLayout->addWidget(openButton, 0, 1);
    gridLayout->addWidget(importButton, 0, 2);
    gridLayout->addWidget(prefButton, 1, 0);
    gridLayout->addWidget(delButton, 1, 1);
    verticalLayout->addLayout(gridLayout);

    verticalLayout_2->addLayout(verticalLayout);

    retranslateUi(page);
    QMetaObject::connectSlotsByName(page);
}

void Ui_ViewIntroduction::retranslateUi(QWidget* page)
{
    const auto tr = [](const char* text) { return QCoreApplication::translate("ViewIntroduction", text); };
    page->setWindowTitle(tr("Form"));
    label->setText(tr("Select return file to open, or create a new tax return file"));
    label_2->setText(tr("Enter name, or S.I.N. to filter the following entries :"));
    resetFilterButton->setText(tr("Clear"));
    openButton->setText(tr("Open Selected Return"));
    delButton->setText(tr("Remove Return"));
    prefButton->setText(tr("Preference ..."));
    newButton->setText(tr("New Return ..."));
    importButton->setText(tr("Import Prior Year's Return"));
}
