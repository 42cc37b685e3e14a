#pragma once

#include "filing/direradroad.h"

// The road's wizard and submission dialog as real windows.
class DireradRoadWidgets : public DireradRoadDialogs
{
public:
    int askOnlineMailSignup(QWidget* parent) override;
    DireradSubmissionResult submit(const DireradSubmissionRequest& request) override;
};
