#pragma once

// What the filing commands need of the return page they run on: its filing
// roads, each of which runs FilingService on the page's own context.
class FilingHost
{
public:
    virtual ~FilingHost() = default;

    virtual void UnsetReFile() = 0;
    virtual void OnFileCreateElectronFile() = 0;
    // T1135RoadResult: 0 when the filing dialog was shown.
    virtual int OnFileT1135() = 0;
    virtual void OnPrepareReFile() = 0;
};
