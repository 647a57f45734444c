#pragma once
// The skinned controls and what they share, in one include.
#include "controls/CoolComboBox.h"
#include "controls/CoolEdit.h"
#include "controls/CoolImages.h"
#include "controls/CoolItems.h"
#include "controls/CoolListBox.h"
#include "controls/CoolMemo.h"
#include "controls/CoolSkin.h"
#include "controls/CoolStringGrid.h"
#include "controls/CoolUtils.h"
