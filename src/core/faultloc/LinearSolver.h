#pragma once

#include <vector>

namespace zarva {

// x with A x = b for a square real system (A row by row), by elimination with partial
// pivoting. A system without a single solution (a pivot that vanishes against the size of
// its column) raises CZarvaException 3457.
std::vector<double> SolveLinearSystem(std::vector<double> a, std::vector<double> b);

} // namespace zarva
