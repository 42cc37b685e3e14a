#include "workspace/returnpageinterface.h"

ReturnPageInterface::~ReturnPageInterface() = default;
