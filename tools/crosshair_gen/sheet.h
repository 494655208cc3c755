// A picture of all the crosshairs for the documentation: each enlarged with hard pixel edges,
// once over a light and once over a dark background, so the faint backing shows on both.
#pragma once

#include "raster.h"

#include <vector>

namespace crosshair {

Canvas contactSheet(const std::vector<Canvas>& images, int scale);

} // namespace crosshair
