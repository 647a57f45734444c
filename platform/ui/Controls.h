#pragma once
// The control classes in one include.
#include "platform/ui/Messages.h"
#include "platform/rtl/TComponent.h"
#include "platform/ui/TControl.h"
#include "platform/ui/TCustomControl.h"
#include "platform/ui/TGraphicControl.h"
#include "platform/ui/TWinControl.h"
