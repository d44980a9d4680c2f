#pragma once

#include "LineNetwork.h"

namespace zarva::sim {

// A 220 kV, 100 km overhead line of two sections (60 km of one conductor, 40 km of a lighter
// one) between two sources of different strength; N's EMF at 0.98 per unit, M's leading it
// by the load angle. Optionally a second circuit on the same towers and a tap, an earthed
// transformer, where the sections meet.
NetworkData StandardNetwork(double loadAngleDeg = 0.0, bool parallelLine = false, bool tap = false);

} // namespace zarva::sim
