#pragma once

// The return tree's rows are the nodes of its item model (model/ui).
#include "model/ui/returntreeitem.h"
