#include "filing/ui/refilerestrictions.h"

#include "filing/ui/DlgFilingTerm.h"

bool agreeToReFileRestrictions(QWidget* parent)
{
    DlgFilingTerm dlg(0, parent);
    dlg.setMsg(QObject::tr("I agree to the terms and conditions"), QString(), QObject::tr("ReFile Restrictions"),
               ":/net/net/ReFilestmt.txt");
    return dlg.exec() == QDialog::Accepted;
}
