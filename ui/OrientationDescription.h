#pragma once

#include "OrientationGeometry.h"
#include "quorvex/Calculations.h"

#include <QString>

namespace quorvex {

// Where the matrix turns each axis, seen from `view`, as sentences a screen reader speaks in place
// of the picture: "X: right, a little down, toward you. Y: …", with the lengths that are not 1,
// and a mirror image named.
QString orientationDescription(const Parameters &parameters, View view = StandardView);

} // namespace quorvex
