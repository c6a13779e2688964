#pragma once
// Every settings object and helper control class the string grid owns.
#include "grid/BackGround.h"
#include "grid/CellNode.h"
#include "grid/CompanionSettings.h"
#include "grid/ControlLook.h"
#include "grid/FixedCellEditors.h"
#include "grid/GridFilter.h"
#include "grid/HtmlPrintSettings.h"
#include "grid/SizeSettings.h"
#include "grid/SortSettings.h"
