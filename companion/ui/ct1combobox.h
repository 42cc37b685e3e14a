#pragma once

#include "companion/core/cstring.h"

#include <QComboBox>
#include <list>

// A combo box that lists catalogue entries with their number as the item's
// Qt::UserRole data.
class CT1ComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit CT1ComboBox(QWidget* parent = nullptr);

    // Text of the first province entry, which stands for no choice.
    static const char* const kNoProvinceText;

    // The supported provinces and territories, after a first "no choice"
    // entry with data 0 that is made current, so that nothing is chosen by
    // accident. Replaces what the box held.
    void LoadProvs();

    // The forms that may be added to a return of the edition whose active
    // provinces are given: forms that are not expired, are offered in that
    // edition, are not ones the return keeps by itself, and are federal or
    // belong to one of the provinces. With a filter, only forms whose code,
    // title or search words contain it (ignoring case and surrounding
    // blanks). Sorted by title; replaces what the box held.
    void LoadTaxForms(unsigned char edition, std::list<unsigned int> provinces, const CString& filter);

    // Makes the entry whose data equals data current; false when there is
    // none (then the "no choice" entry with data 0 is made current when the
    // box has one, else nothing is).
    bool SetCurSelData(int data);
};
