// The five built-in crosshairs and the program icon, as picture descriptions.
#pragma once

#include "raster.h"

namespace crosshair {

constexpr int kCrosshairCount = 5;
constexpr int kCrosshairSize = 64;
constexpr int kIconSize = 48;

// style is 1 to kCrosshairCount.
Picture crosshairPicture(int style);

Picture iconPicture();

} // namespace crosshair
