#include "dialogs/dlgvalidationmsgs.h"

#include "companion/forms/catalogue.h"
#include "dialogs/dialogframe.h"
#include "model/validationrecord.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const char* const kHeaderColour = "#ff3566";

// The heading of each group of records, shown once for each run of records
// of the same group.
QString headingOf(int source)
{
    switch (source) {
    case VALIDATE_SOURCE_FORM: return QStringLiteral("------- Tax Forms -------");
    case VALIDATE_SOURCE_SLIP: return QStringLiteral("------- Tax Slips -------");
    case VALIDATE_SOURCE_PERSON: return QStringLiteral("------- Cross Tax Forms Validation -------");
    case VALIDATE_SOURCE_SPOUSES: return QStringLiteral("------- Spouse-Return Validation -------");
    default: return QString();
    }
}

// A slip's or form's own header; the checks across the return have none.
QString headerOf(const _STRUCT_FORM_VALIDATE_INFO& record)
{
    const char* name = nullptr;
    if (record.source == VALIDATE_SOURCE_FORM)
        name = getFormName(record.itemType);
    else if (record.source == VALIDATE_SOURCE_SLIP)
        name = getSlipName(record.itemType);
    else
        return QString();
    return QStringLiteral("[%1] - %2 errors found")
        .arg(QString::fromUtf8(name ? name : ""), QString::number(record.messages.size()));
}

bool anyMessage(const DlgValidationMsgs::Records& records)
{
    for (const _STRUCT_FORM_VALIDATE_INFO* record : records)
        if (record && !record->messages.empty())
            return true;
    return false;
}

} // namespace

DlgValidationMsgs::DlgValidationMsgs(QWidget* parent)
    : BaseDialog(QString(), parent)
{
    setObjectName(QStringLiteral("DlgValidationMsgs"));
    dialogframe::setPointSize(this, 12);
    auto* layout = new QVBoxLayout(this);
    auto* summary = dialogframe::label(
        this, "lblSummary", tr("There are validation errors. Click tax payer's name tab to display detail errors."));
    summary->setWordWrap(true);
    layout->addWidget(summary);
    m_tabPeople = new QTabWidget(this);
    m_tabPeople->setObjectName(QStringLiteral("tabPeople"));
    layout->addWidget(m_tabPeople);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setWindowTitle(tr("Validation Result"));
    afterCreateUI();
    resize(kWidth, kHeight);
}

void DlgValidationMsgs::loadValErrors(const QString& name1, const Records& list1, bool coupled, const QString& name2,
                                      const Records& list2)
{
    while (m_tabPeople->count() > 0) {
        QWidget* page = m_tabPeople->widget(0);
        m_tabPeople->removeTab(0);
        delete page;
    }
    makeOnePersonTab(name1, list1);
    if (coupled)
        makeOnePersonTab(name2, list2);
    m_tabPeople->setCurrentIndex(0);
}

std::vector<DlgValidationMsgs::Row> DlgValidationMsgs::rowsOf(const Records& records)
{
    // A person whose records hold no message (in a coupled return the
    // between-spouses record is always there) has no error to show.
    if (!anyMessage(records))
        return {{QStringLiteral("There are no validation errors found in this return, Please check spouse's side."),
                 false}};
    std::vector<Row> rows;
    int lastGroup = 0;
    for (const _STRUCT_FORM_VALIDATE_INFO* record : records) {
        if (!record || record->messages.empty())
            continue;
        const QString heading = headingOf(record->source);
        if (!heading.isEmpty()) {
            if (record->source != lastGroup)
                rows.push_back({heading, false});
            lastGroup = record->source;
        }
        const QString header = headerOf(*record);
        if (!header.isEmpty())
            rows.push_back({header, true});
        int number = 0;
        for (const CString& message : record->messages)
            rows.push_back({QStringLiteral("%1 - %2").arg(QStringLiteral("%1").arg(++number, 2), message.toQString()),
                            false});
        rows.push_back({QString(), false});
    }
    return rows;
}

QStringList DlgValidationMsgs::rowTexts(const Records& records)
{
    QStringList texts;
    for (const Row& row : rowsOf(records))
        texts << row.text;
    return texts;
}

void DlgValidationMsgs::makeOnePersonTab(const QString& title, const Records& records)
{
    auto* scroll = new QScrollArea(m_tabPeople);
    scroll->setWidgetResizable(true);
    auto* list = new QListWidget(scroll);
    list->setObjectName(QStringLiteral("lstErrors"));
    dialogframe::setPointSize(list, 12);
    scroll->setWidget(list);
    for (const Row& row : rowsOf(records)) {
        auto* item = new QListWidgetItem(row.text, list);
        // Each slip's or form's header stands out from its messages.
        if (row.isHeader)
            item->setData(Qt::ForegroundRole, QBrush(QColor(QLatin1String(kHeaderColour))));
    }
    m_tabPeople->addTab(scroll, title);
}
