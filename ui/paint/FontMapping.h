#pragma once

#include <QFont>

#include "common/cmcFont.h"

// A font value as a QFont. A negative height is the character height in pixels, a positive
// one the cell height (character plus internal leading); height 0 takes the size in points.
// An empty name keeps the application's family. The charset has no meaning for Qt's Unicode
// fonts, and the colour is the painter's business.
QFont ToQFont(const cmcFont& font);
