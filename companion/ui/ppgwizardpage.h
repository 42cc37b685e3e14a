#pragma once

#include <QString>
#include <QWizardPage>
#include <map>

class CWSBaseData;
class CTaxData_Form;
class CField;
class CIntField;
class CBoolField;
class CFloatField;
class CStringField;
class CDateField;
class DoubleLineEdit;
class StringLineEdit;
class StyledDateEdit;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPlainTextEdit;

// Base of every wizard page that collects data into a record.
//
// How a page binds its widgets
// ----------------------------
// A page works on one record (a CWSBaseData subclass whose fields are plain
// members). Each input widget of the page's layout carries the object name
// "fld_" followed by the name of the field it edits ("fld_LastName" edits the
// record's LastName). In AssociateFormData the page binds each pair once:
//
//     void MyPage::AssociateFormData()
//     {
//         auto* rec = record<MyRecord>();
//         bindStringEdit(QStringLiteral("LastName"), &rec->LastName);
//         bindRadioGroup(QStringLiteral("MaritalStatus"), &rec->MaritalStatus);
//     }
//
// A radio group is the QButtonGroup "fld_X" holding the buttons "fld_X_0",
// "fld_X_1", ...; the number after the last "_" becomes the button's id and
// is the value the field takes when it is clicked. A field value no button
// carries (such as -1, nothing chosen) shows every button clear.
//
// The base binds a page and shows its record once, before the page is first
// shown (WizardBase does it in initUI and before initializing a page). From
// then on every edit is stored into its field at once by the slots below, and
// validatePage() stores every widget again, so a text typed and followed
// directly by Next is never lost. A page's own validatePage calls the base's
// first and then tests the record's fields, not the widgets.
class PpgWizardPage : public QWizardPage
{
    Q_OBJECT
public:
    PpgWizardPage(CWSBaseData* record, CTaxData_Form* form, QWidget* parent);
    ~PpgWizardPage() override;

    // Registers the page's bindings; called once by bindOnce().
    virtual void AssociateFormData() {}
    // Shows every bound field in its widget.
    virtual void GetDataFromDoc();
    // Stores every bound widget into its field.
    virtual void PutDataToDoc();
    // Stores every widget (PutDataToDoc); always true.
    bool validatePage() override;

    // AssociateFormData then GetDataFromDoc, the first time only.
    void bindOnce();
    bool isBound() const { return m_bound; }

    CWSBaseData* data() const { return m_pData; }
    CTaxData_Form* form() const { return m_pForm; }

public slots:
    void onStringEditFinished();
    void onFloatEditFinished();
    void onDateChanged(const QDate& date);
    void onCmbCurIndexChanged(int index);
    void onRadioIdClicked(int id);
    void onBoolChanged(int state);

protected:
    // The record as the page's own record class; null when it is another.
    template <class Record>
    Record* record() const
    {
        return dynamic_cast<Record*>(m_pData);
    }

    // Each binds the widget named "fld_" + fieldName to field and returns it;
    // null (with a warning) when the page has no such widget of that kind.
    StringLineEdit* bindStringEdit(const QString& fieldName, CStringField* field);
    DoubleLineEdit* bindFloatEdit(const QString& fieldName, CFloatField* field);
    // An amount shown but never stored (the widget should be disabled).
    DoubleLineEdit* bindFloatDisplay(const QString& fieldName, CFloatField* field);
    QCheckBox* bindCheckBox(const QString& fieldName, CBoolField* field);
    QButtonGroup* bindRadioGroup(const QString& fieldName, CIntField* field);
    QComboBox* bindComboBox(const QString& fieldName, CIntField* field);
    StyledDateEdit* bindDateEdit(const QString& fieldName, CDateField* field);
    QPlainTextEdit* bindPlainTextEdit(const QString& fieldName, CStringField* field);

    static QString widgetName(const QString& fieldName) { return QStringLiteral("fld_") + fieldName; }

    // Name and field maps, one pair per kind of binding. The pointers are
    // not owned: widgets belong to the page, fields to the record.
    std::map<QString, DoubleLineEdit*> m_mapDoubleEdit;
    std::map<DoubleLineEdit*, CFloatField*> m_mapDoubleEditField;
    std::map<QString, DoubleLineEdit*> m_mapDoubleEditRO;
    std::map<DoubleLineEdit*, CFloatField*> m_mapDoubleEditROField;
    std::map<QString, QCheckBox*> m_mapCheckBox;
    std::map<QCheckBox*, CBoolField*> m_mapCheckBoxField;
    std::map<QString, QButtonGroup*> m_mapButtonGroup;
    std::map<QButtonGroup*, CIntField*> m_mapButtonGroupField;
    std::map<QString, QComboBox*> m_mapComboBox;
    std::map<QComboBox*, CIntField*> m_mapComboBoxField;
    std::map<QString, StyledDateEdit*> m_mapDateEdit;
    std::map<StyledDateEdit*, CDateField*> m_mapDateEditField;
    std::map<QString, StringLineEdit*> m_mapStringEdit;
    std::map<StringLineEdit*, CStringField*> m_mapStringEditField;
    std::map<QString, QPlainTextEdit*> m_mapPlainTextEdit;
    std::map<QPlainTextEdit*, CStringField*> m_mapPlainTextEditField;

private:
    // Shows value in group: the button with that id checked, else none.
    static void showRadioValue(QButtonGroup* group, int value);
    // The id a radio button's name "fld_X_k" gives it; -1 when it has none.
    static int radioIdFromName(const QAbstractButton* button, const QString& groupName);

    CWSBaseData* m_pData;
    CTaxData_Form* m_pForm;
    bool m_bound = false;
};
