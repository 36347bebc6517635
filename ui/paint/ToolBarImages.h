#pragma once

#include "ui/paint/cuiImageList.h"

// Indices of the tool-bar pictures, as the tool-bar and menu cells name them.
enum ToolBarImage : int {
    TBI_FileNew = 0,
    TBI_FileOpen,
    TBI_FileSave,
    TBI_Com1,
    TBI_Com2,
    TBI_Com3,
    TBI_Com4,
    TBI_CloneRead,
    TBI_CloneWrite,
    TBI_CloneInfo,
    TBI_PcgPen,
    TBI_PcgFill,
    TBI_PcgSlider,
    TBI_Count
};

// The 13 tool-bar pictures: the desktop theme's icons where it has a standard one (new, open,
// save), otherwise (and when no theme is installed) drawn by the program.
cuiImageList ToolBarImages();
