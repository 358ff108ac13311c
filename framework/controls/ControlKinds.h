// The seven kinds of controls a layout element can become, in one include
// for the layout walk and the toolband.
#pragma once

#include "framework/controls/ButtonControlC.h"
#include "framework/controls/ComboBoxControlC.h"
#include "framework/controls/EditControlC.h"
#include "framework/controls/LabelControlC.h"
#include "framework/controls/MenuControlC.h"
#include "framework/controls/SeparatorControlC.h"
