// Family return: the one member that fills a widget. It is compiled into the
// model's own widget part (model_ui), so the model library never links the
// widget library.
#include "model/cfamilytaxdata.h"

#include <QComboBox>

int CFamilyTaxData::fillComboBox(QComboBox* combo, bool spouseCurrent)
{
    if (!combo)
        return 0;
    combo->clear();
    CString taxpayer, spouse;
    getFamilyFullName(taxpayer, spouse);
    combo->addItem(taxpayer.trimmed().isEmpty() ? QStringLiteral("(self)") : QString(taxpayer), kTaxpayer);
    const bool coupled = IsCoupledReturn();
    if (coupled)
        combo->addItem(spouse.trimmed().isEmpty() ? QStringLiteral("(spouse/common-law)") : QString(spouse), kSpouse);
    if (spouseCurrent && coupled) {
        setCurIndv(kSpouse);
        combo->setCurrentIndex(1);
    } else {
        setCurIndv(kTaxpayer);
        combo->setCurrentIndex(0);
    }
    return combo->count();
}
