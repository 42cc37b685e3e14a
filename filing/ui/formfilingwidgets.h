#pragma once

#include "filing/t1135road.h"

#include <QPointer>

class QDialog;

// The T1135 road's questions as real windows: the form filing dialog, the
// terms dialog and the result dialog, each over the filing dialog while it
// is up.
class FormFilingWidgets : public T1135Questions
{
public:
    void confirmFiling(const FormFilingRequest& request,
                       const std::function<int(TemplateValueMap&)>& send) override;
    bool agreeToTerms(const SoapFilingResult& terms) override;
    void showResult(const FilingResultReport& report) override;
    QWidget* promptParent() const override;

private:
    QPointer<QDialog> m_dialog;
};
