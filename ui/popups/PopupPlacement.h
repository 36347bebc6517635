#pragma once

class QWidget;
class cuiGrid;

// Moves a pop-up window beside the grid's current cell, inside the work area of the grid's
// screen; without a grid it stays where it is.
void PlaceBesideCurrentCell(QWidget& popup, const cuiGrid* grid);
