#pragma once

#include "companion/ui/wizardbase.h"

#include <functional>

class DataNewReturnBasic;
class NewReturnBasic_tab1;
class NewReturnBasic_Spouse;
class NewReturnBasic_FormOption;

// The wizard "Create a new tax return" (700 x 470) over one record: the
// taxpayer page, the spouse page (married or common-law only) and the form
// options. The record must outlive the wizard.
class NewReturnWizard : public WizardBase
{
    Q_OBJECT
public:
    enum PageId { PageTaxpayer = 0, PageSpouse = 1, PageForms = 2 };
    static constexpr int kWidth = 700;
    static constexpr int kHeight = 470;

    NewReturnWizard(DataNewReturnBasic* record, QWidget* parent);

    NewReturnBasic_tab1* taxpayerPage() const { return m_taxpayer; }
    NewReturnBasic_Spouse* spousePage() const { return m_spouse; }
    NewReturnBasic_FormOption* formsPage() const { return m_forms; }

private:
    NewReturnBasic_tab1* m_taxpayer;
    NewReturnBasic_Spouse* m_spouse;
    NewReturnBasic_FormOption* m_forms;
};

// Runs the wizard modally over record; 1 after Finish, 0 otherwise.
int runNewReturnWizard(DataNewReturnBasic& record, QWidget* parent);

// Turns a finished record into an open return (builds the family return,
// calculates it, opens it in a page); false when that failed.
using NewReturnBuilder = std::function<bool(const DataNewReturnBasic&)>;

// The New Return command up to the return model: a record with both dates of
// birth preset, the wizard, and after Finish with a supported province the
// builder. Returns true when the builder ran and succeeded; false when the
// user cancelled, the province is refused or the builder failed.
bool startNewReturn(QWidget* parent, const NewReturnBuilder& buildReturn);
