#pragma once

// The base circle of the photo cylinder and of the greetings helix: 64 points
// of a circle of radius 7.23064 in the plane y = 0, centred at
// (x, z) = (-0.13345, 0.07336). Point i lies at angle (i + 1) * 2pi / 64,
// counter-clockwise from +x toward +z, so point 63 is at angle 0 and point 0
// one step past it. Stored as constants (five decimals), not computed.
constexpr int kCirclePointCount = 64;
extern const float kCirclePoints[kCirclePointCount][3];  // x, y, z

// Copies the table into a scene's own array.
void CopyCirclePoints(float (&points)[kCirclePointCount][3]);
