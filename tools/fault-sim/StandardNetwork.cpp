#include "StandardNetwork.h"

namespace zarva::sim {

NetworkData StandardNetwork(double loadAngleDeg, bool parallelLine, bool tap)
{
    NetworkData network;
    network.nominalVoltage = 220e3;
    network.frequency = 50.0;
    network.sections = {
        {.length = 60.0, .z1 = {0.098, 0.429}, .z0 = {0.25, 1.25}, .c1 = 8.4e-9, .c0 = 5.5e-9, .zm = {0.15, 0.65}},
        {.length = 40.0, .z1 = {0.12, 0.435}, .z0 = {0.30, 1.30}, .c1 = 8.2e-9, .c0 = 5.3e-9, .zm = {0.15, 0.62}},
    };
    network.sourceM = {.z1 = {1.5, 18.0}, .z0 = {1.0, 12.0}, .voltage = 1.0, .angleDeg = loadAngleDeg};
    network.sourceN = {.z1 = {2.0, 25.0}, .z0 = {1.5, 20.0}, .voltage = 0.98, .angleDeg = 0.0};
    network.parallelLine = parallelLine;
    network.tapSection = tap ? 0 : -1;
    network.tapZ0 = {3.0, 45.0};
    return network;
}

} // namespace zarva::sim
