#pragma once

#include "companion/ui/basedialog.h"

#include <QStringList>
#include <list>
#include <vector>

class QListWidget;
class QTabWidget;
struct _STRUCT_FORM_VALIDATE_INFO;

// "Validation Result": the errors the validation found, one tab per person,
// grouped by where each was found. It only shows them; the caller owns the
// records.
class DlgValidationMsgs : public BaseDialog
{
    Q_OBJECT
public:
    using Records = std::list<_STRUCT_FORM_VALIDATE_INFO*>;

    static constexpr int kWidth = 712;
    static constexpr int kHeight = 585;

    explicit DlgValidationMsgs(QWidget* parent);

    // The first person's tab and, for a coupled return, the second's; the
    // first stays current.
    void loadValErrors(const QString& name1, const Records& list1, bool coupled, const QString& name2,
                       const Records& list2);

    // One person's rows, as the tab lists them.
    static QStringList rowTexts(const Records& records);

private:
    struct Row
    {
        QString text;
        bool isHeader; // a slip's or form's header, in the header colour
    };
    static std::vector<Row> rowsOf(const Records& records);

    void makeOnePersonTab(const QString& title, const Records& records);

    QTabWidget* m_tabPeople = nullptr;
};
