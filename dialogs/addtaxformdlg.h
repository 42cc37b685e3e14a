#pragma once

#include "companion/forms/taxtypes.h"

#include <QDialog>
#include <QString>
#include <list>

class CT1ComboBox;
class QLineEdit;
class QPushButton;

// "Add a Tax Form": nine quick-add buttons for common forms, and the list of
// forms that may be added for the edition and the current person's
// provinces, narrowed by a filter text that is kept from one opening to the
// next. The chosen type is read with getSelectedForm() after exec().
class AddTaxFormDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kWidth = 587;
    static constexpr int kHeight = 287;

    // provinces: the province numbers whose plug-ins serve the person; the
    // list must outlive the dialog.
    AddTaxFormDlg(unsigned char edition, std::list<unsigned int>& provinces, QWidget* parent);

    // The quick button's type after a quick add, else the list's current
    // type (0 when the list is empty).
    ENUMTYPE_FORM getSelectedForm() const;

    // The filter text for the life of the process.
    static QString s_strFilter;

    // The quick-add buttons: object name, text and the form type each adds.
    struct QuickForm
    {
        const char* objectName;
        const char* text;
        ENUMTYPE_FORM type;
    };
    static const QuickForm kQuickForms[9];

public slots:
    void refreshFormList();
    void on_edtFilter_textChanged(const QString& text);
    void on_btnClear_clicked();

private:
    // A quick button is enabled only when the unfiltered list offers its
    // form: it must belong to the edition and to one of the provinces.
    void _addQuickFormType(ENUMTYPE_FORM type);

    unsigned char m_edition;
    std::list<unsigned int>& m_provinces;
    bool m_bQuick = false;
    ENUMTYPE_FORM m_quickType = 0;
    QLineEdit* m_edtFilter = nullptr;
    CT1ComboBox* m_cmbTaxForms = nullptr;
};
