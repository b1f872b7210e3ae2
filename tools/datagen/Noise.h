#pragma once
#include <cstdint>

// Smooth value noise on an integer lattice that repeats every periodX by
// periodY cells, so textures built from it tile without seams.
// x and y are in lattice cells; the result lies in [0, 1].
double TileNoise(double x, double y, int periodX, int periodY, uint32_t seed);

// Fractal sum of TileNoise: `octaves` layers, each with twice the lattice
// resolution and `gain` times the weight of the one before. u and v are in
// [0, 1) across the tile; the result is normalised to [0, 1].
double TileFbm(double u, double v, int basePeriod, int octaves, double gain, uint32_t seed);

// Same as TileFbm but for a non-square tile: basePeriodX by basePeriodY cells.
double TileFbm2(double u, double v, int basePeriodX, int basePeriodY, int octaves, double gain, uint32_t seed);
