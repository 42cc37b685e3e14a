#pragma once

// What the agency-data commands need of the window they run in: the stored
// Auto-fill records (true) or notices of assessment (false), over the return
// page shown, if one is.
class StoredRecordsHost
{
public:
    virtual ~StoredRecordsHost() = default;

    virtual void _doTDDorAFR(bool isAFR) = 0;
};
