#pragma once
// The grids in one include.
#include "platform/ui/CustomGrid.h"
#include "platform/ui/InplaceEdit.h"
#include "platform/ui/StringGrid.h"
