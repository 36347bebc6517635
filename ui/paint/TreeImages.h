#pragma once

#include "ui/paint/cuiImageList.h"

// Indices of the tree pictures, as the tree's cells name them. The bank pictures follow the
// order the tree computes them in (4 + 2 when the bank is a trunking bank + 1 when it holds
// channels); the warning and error marks are also the marks that sheets draw in their cells.
enum TreeImage : int {
    TRI_Radio = 0,
    TRI_Folder,
    TRI_Sheet,
    TRI_Table,
    TRI_Bank,
    TRI_BankUsed,
    TRI_TrunkBank,
    TRI_TrunkBankUsed,
    TRI_Warning,
    TRI_Error,
    TRI_Count
};

// The ten tree pictures: the desktop theme's folder where a theme has one, every other
// picture (and the folder without a theme) drawn by the program.
cuiImageList TreeImages();
