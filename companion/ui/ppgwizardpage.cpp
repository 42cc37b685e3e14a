#include "companion/ui/ppgwizardpage.h"

#include "companion/forms/cwsbasedata.h"
#include "companion/forms/fields.h"
#include "companion/ui/styledwidgets.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QtDebug>

PpgWizardPage::PpgWizardPage(CWSBaseData* record, CTaxData_Form* form, QWidget* parent)
    : QWizardPage(parent)
    , m_pData(record)
    , m_pForm(form)
{
}

PpgWizardPage::~PpgWizardPage()
{
    // The editors outlive this destructor body: QWidget deletes them later,
    // and a focused editor then reports editingFinished. Its slot would look
    // up maps that are already gone and write into a record the caller may
    // have released, so cut every bound widget off from this page first.
    const auto children = findChildren<QObject*>();
    for (QObject* child : children)
        QObject::disconnect(child, nullptr, this, nullptr);
}

void PpgWizardPage::bindOnce()
{
    if (m_bound)
        return;
    // Set first: a page whose binding shows another page must not recurse.
    m_bound = true;
    AssociateFormData();
    GetDataFromDoc();
}

bool PpgWizardPage::validatePage()
{
    PutDataToDoc();
    return true;
}

// ---- Binding ---------------------------------------------------------------

namespace {

template <class Widget>
Widget* findBound(QObject* page, const QString& name)
{
    auto* widget = page->findChild<Widget*>(name);
    if (!widget)
        qWarning("Wizard page %s: no widget %s to bind", page->metaObject()->className(), qPrintable(name));
    return widget;
}

} // namespace

StringLineEdit* PpgWizardPage::bindStringEdit(const QString& fieldName, CStringField* field)
{
    const QString name = widgetName(fieldName);
    auto* edit = findBound<StringLineEdit>(this, name);
    if (!edit || !field)
        return nullptr;
    m_mapStringEdit[name] = edit;
    m_mapStringEditField[edit] = field;
    // The field keeps at most its own length; the edit says so while typing.
    if (field->maxLength() > 0)
        edit->setMaxLength(field->maxLength());
    connect(edit, &QLineEdit::editingFinished, this, &PpgWizardPage::onStringEditFinished);
    return edit;
}

DoubleLineEdit* PpgWizardPage::bindFloatEdit(const QString& fieldName, CFloatField* field)
{
    const QString name = widgetName(fieldName);
    auto* edit = findBound<DoubleLineEdit>(this, name);
    if (!edit || !field)
        return nullptr;
    m_mapDoubleEdit[name] = edit;
    m_mapDoubleEditField[edit] = field;
    connect(edit, &QLineEdit::editingFinished, this, &PpgWizardPage::onFloatEditFinished);
    return edit;
}

DoubleLineEdit* PpgWizardPage::bindFloatDisplay(const QString& fieldName, CFloatField* field)
{
    const QString name = widgetName(fieldName);
    auto* edit = findBound<DoubleLineEdit>(this, name);
    if (!edit || !field)
        return nullptr;
    m_mapDoubleEditRO[name] = edit;
    m_mapDoubleEditROField[edit] = field;
    return edit;
}

QCheckBox* PpgWizardPage::bindCheckBox(const QString& fieldName, CBoolField* field)
{
    const QString name = widgetName(fieldName);
    auto* box = findBound<QCheckBox>(this, name);
    if (!box || !field)
        return nullptr;
    m_mapCheckBox[name] = box;
    m_mapCheckBoxField[box] = field;
    box->setFocusPolicy(Qt::StrongFocus);
    connect(box, &QCheckBox::stateChanged, this, &PpgWizardPage::onBoolChanged);
    return box;
}

QButtonGroup* PpgWizardPage::bindRadioGroup(const QString& fieldName, CIntField* field)
{
    const QString name = widgetName(fieldName);
    auto* group = findBound<QButtonGroup>(this, name);
    if (!group || !field)
        return nullptr;
    m_mapButtonGroup[name] = group;
    m_mapButtonGroupField[group] = field;
    connect(group, &QButtonGroup::idClicked, this, &PpgWizardPage::onRadioIdClicked);
    // A button's id is the value it stands for, taken from its name.
    for (QAbstractButton* button : group->buttons()) {
        const int id = radioIdFromName(button, name);
        if (id < 0)
            qWarning("Wizard page %s: radio button %s has no number", metaObject()->className(),
                     qPrintable(button->objectName()));
        group->setId(button, id);
    }
    return group;
}

QComboBox* PpgWizardPage::bindComboBox(const QString& fieldName, CIntField* field)
{
    const QString name = widgetName(fieldName);
    auto* combo = findBound<QComboBox>(this, name);
    if (!combo || !field)
        return nullptr;
    m_mapComboBox[name] = combo;
    m_mapComboBoxField[combo] = field;
    combo->setFocusPolicy(Qt::StrongFocus);
    connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &PpgWizardPage::onCmbCurIndexChanged);
    return combo;
}

StyledDateEdit* PpgWizardPage::bindDateEdit(const QString& fieldName, CDateField* field)
{
    const QString name = widgetName(fieldName);
    auto* edit = findBound<StyledDateEdit>(this, name);
    if (!edit || !field)
        return nullptr;
    m_mapDateEdit[name] = edit;
    m_mapDateEditField[edit] = field;
    connect(edit, &StyledDateEdit::dateChanged, this, &PpgWizardPage::onDateChanged);
    return edit;
}

QPlainTextEdit* PpgWizardPage::bindPlainTextEdit(const QString& fieldName, CStringField* field)
{
    const QString name = widgetName(fieldName);
    auto* edit = findBound<QPlainTextEdit>(this, name);
    if (!edit || !field)
        return nullptr;
    m_mapPlainTextEdit[name] = edit;
    m_mapPlainTextEditField[edit] = field;
    return edit;
}

int PpgWizardPage::radioIdFromName(const QAbstractButton* button, const QString& groupName)
{
    const QString prefix = groupName + QLatin1Char('_');
    const QString name = button->objectName();
    if (!name.startsWith(prefix))
        return -1;
    bool ok = false;
    const int id = name.midRef(prefix.size()).toInt(&ok);
    return ok && id >= 0 ? id : -1;
}

void PpgWizardPage::showRadioValue(QButtonGroup* group, int value)
{
    QAbstractButton* wanted = group->button(value);
    if (wanted) {
        wanted->setChecked(true);
        return;
    }
    // An exclusive group refuses to clear its last checked button.
    const bool exclusive = group->exclusive();
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(exclusive);
}

// ---- Loading and storing ---------------------------------------------------

void PpgWizardPage::GetDataFromDoc()
{
    // Showing a value must not store it back: the record stays as it was.
    for (auto& [edit, field] : m_mapDoubleEditField) {
        const QSignalBlocker block(edit);
        edit->setValue(field->m_value);
    }
    for (auto& [edit, field] : m_mapDoubleEditROField) {
        const QSignalBlocker block(edit);
        edit->setValue(field->m_value);
    }
    for (auto& [box, field] : m_mapCheckBoxField) {
        const QSignalBlocker block(box);
        box->setChecked(field->m_value != 0);
    }
    for (auto& [group, field] : m_mapButtonGroupField) {
        const QSignalBlocker block(group);
        showRadioValue(group, field->m_value);
    }
    for (auto& [combo, field] : m_mapComboBoxField) {
        const QSignalBlocker block(combo);
        int index = combo->findData(field->m_value);
        if (index < 0)
            index = combo->findData(0);
        combo->setCurrentIndex(index);
    }
    for (auto& [edit, field] : m_mapDateEditField) {
        const QSignalBlocker block(edit);
        edit->setNullableDate(field->m_value);
    }
    for (auto& [edit, field] : m_mapStringEditField) {
        const QSignalBlocker block(edit);
        edit->setText(field->m_value);
    }
    for (auto& [edit, field] : m_mapPlainTextEditField) {
        const QSignalBlocker block(edit);
        edit->setPlainText(field->m_value);
    }
}

void PpgWizardPage::PutDataToDoc()
{
    for (auto& [edit, field] : m_mapDoubleEditField)
        field->setAmount(edit->value());
    for (auto& [box, field] : m_mapCheckBoxField)
        field->m_value = box->checkState() != Qt::Unchecked ? 1 : 0;
    // A group with no button checked leaves its field as it is (for
    // example -1, nothing chosen).
    for (auto& [group, field] : m_mapButtonGroupField) {
        if (group->checkedButton())
            field->m_value = group->checkedId();
    }
    for (auto& [combo, field] : m_mapComboBoxField) {
        if (combo->currentIndex() >= 0)
            field->m_value = combo->currentData().toInt();
    }
    for (auto& [edit, field] : m_mapDateEditField)
        field->m_value = edit->nullableDate();
    for (auto& [edit, field] : m_mapStringEditField)
        field->setText(edit->text());
    for (auto& [edit, field] : m_mapPlainTextEditField)
        field->setText(edit->toPlainText());
}

// ---- Store slots -----------------------------------------------------------

namespace {

template <class Widget, class Field>
Field* boundField(QObject* sender, const std::map<Widget*, Field*>& fields, Widget** widget)
{
    auto* source = qobject_cast<Widget*>(sender);
    const auto it = source ? fields.find(source) : fields.end();
    if (it == fields.end())
        return nullptr;
    *widget = source;
    return it->second;
}

} // namespace

void PpgWizardPage::onStringEditFinished()
{
    StringLineEdit* edit = nullptr;
    if (CStringField* field = boundField(sender(), m_mapStringEditField, &edit))
        field->setText(edit->text());
}

void PpgWizardPage::onFloatEditFinished()
{
    DoubleLineEdit* edit = nullptr;
    if (CFloatField* field = boundField(sender(), m_mapDoubleEditField, &edit))
        field->setAmount(edit->value());
}

void PpgWizardPage::onDateChanged(const QDate&)
{
    // The edit's own reading: its earliest date stands for "no date".
    StyledDateEdit* edit = nullptr;
    if (CDateField* field = boundField(sender(), m_mapDateEditField, &edit))
        field->m_value = edit->nullableDate();
}

void PpgWizardPage::onCmbCurIndexChanged(int index)
{
    QComboBox* combo = nullptr;
    if (CIntField* field = boundField(sender(), m_mapComboBoxField, &combo))
        field->m_value = index >= 0 ? combo->itemData(index).toInt() : 0;
}

void PpgWizardPage::onRadioIdClicked(int id)
{
    QButtonGroup* group = nullptr;
    if (CIntField* field = boundField(sender(), m_mapButtonGroupField, &group))
        field->m_value = id;
}

void PpgWizardPage::onBoolChanged(int state)
{
    QCheckBox* box = nullptr;
    if (CBoolField* field = boundField(sender(), m_mapCheckBoxField, &box))
        field->m_value = state != Qt::Unchecked ? 1 : 0;
}
