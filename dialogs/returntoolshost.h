#pragma once

// What the return tools need of the return page they run on: the tools that
// restructure the open return (province, de-couple), those that work on a
// scratch copy of it (optimisation, tax planning) and the validation.
class ReturnToolsHost
{
public:
    virtual ~ReturnToolsHost() = default;

    virtual void taxReturnChangeProvince() = 0;
    virtual void deCoupleReturn() = 0;
    virtual void optimizeReturn() = 0;
    virtual void taxPlanning() = 0;
    // The number of validation errors found.
    virtual int ValidateTaxReturn(unsigned char edition, bool offerWarnings, bool askFirst) = 0;
};
