#include "model/individualtaxdata.h"

// Takes the interview answers of the given kind into the forms. No answer is
// carried over yet: the transfer rules live with the interview data.
void IndividualTaxData::ReadDataFromWizards(int kind)
{
    Q_UNUSED(kind);
}
