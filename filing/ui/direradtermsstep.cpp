#include "filing/ui/direradtermsstep.h"

#include "filing/direradterms.h"
#include "filing/soapfilingresult.h"
#include "filing/ui/DlgFilingTerm.h"

#include "companion/core/messages.h"

#include <QApplication>
#include <QCursor>

namespace {

const char* const kReFileTermsPage = "https://www.canada.ca/en/revenue-agency/services/e-services/"
                                     "e-services-individuals/direrad-overview/refile-terms-conditions-privacy-notice.html";

} // namespace

int DireradSOAP_request1(int& dialogResult, bool isReFile, QWidget* parent, const FilingExchangeSettings& settings)
{
    SoapFilingResult r(SoapFilingResult::KindTerms);
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const int result = DireradSOAP_request1_internal(&r, isReFile, settings);
    QApplication::restoreOverrideCursor();
    if (result != 0) {
        gMsgInformation(2, QStringLiteral("Msg: %1; Code: %2.").arg(r.m_strCodes).arg(result), nullptr);
        return result;
    }
    if (askFilingTerms(r, isReFile, parent)) {
        dialogResult = 1;
        return 0;
    }
    dialogResult = 2;
    return 10;
}

bool askFilingTerms(const SoapFilingResult& terms, bool isReFile, QWidget* parent)
{
    DlgFilingTerm dlg(isReFile ? 1 : 0, parent);
    dlg.setMsg(terms.m_strMessage, isReFile ? QString::fromLatin1(kReFileTermsPage) : QString(terms.m_strCodes),
               terms.m_strConfirmation, ":/net/net/netfileterm.txt");
    return dlg.exec() == QDialog::Accepted;
}
