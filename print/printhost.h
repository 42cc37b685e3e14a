#pragma once

// What the print and e-signature commands need of the return page they run
// on: its print road and its e-signature request for a form.
class PrintHost
{
public:
    virtual ~PrintHost() = default;

    virtual void OnFileCreatePdfFile() = 0;
    virtual void OnSubmitQuillorForm(int formType) = 0;
};
