#pragma once

#include <QWizard>

// Base of the program's wizards. Pages are added with addPage and get the ids
// 0, 1, 2 ... in that order; initUI, called once the pages are in, sizes the
// wizard and binds every PpgWizardPage to its record. exec() gives 1 after
// Finish (the last page accepted), 0 on Cancel or when the window is closed.
class WizardBase : public QWizard
{
    Q_OBJECT
public:
    WizardBase(QWidget* parent, const QString& title);

    void initUI(int width, int height);

protected:
    // Binds the page first when initUI has not (a page added later).
    void initializePage(int id) override;

private:
    void bindPage(int id);
};
