#pragma once

#include "filing/t1135road.h"

// The form filing dialog as a real window.
class FormFilingWidgets : public FormFilingDialogs
{
public:
    void fileForm(const FormFilingRequest& request) override;
};
