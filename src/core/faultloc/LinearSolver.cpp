#include "core/faultloc/LinearSolver.h"

#include "core/faultloc/LocatorMessages.h"
#include "core/model/ZarvaException.h"

#include <cmath>
#include <utility>

namespace zarva {
namespace {

// A pivot this small against its column's largest original entry counts as zero.
constexpr double kSingular = 1e-12;

} // namespace

std::vector<double> SolveLinearSystem(std::vector<double> a, std::vector<double> b)
{
    const std::size_t n = b.size();
    if (a.size() != n * n)
        throw CZarvaException(messages::kSingularSystem);
    std::vector<double> scale(n, 0.0);
    for (std::size_t row = 0; row < n; ++row) {
        for (std::size_t col = 0; col < n; ++col)
            scale[col] = std::max(scale[col], std::abs(a[row * n + col]));
    }
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < n; ++row) {
            if (std::abs(a[row * n + col]) > std::abs(a[pivot * n + col]))
                pivot = row;
        }
        const double size = std::abs(a[pivot * n + col]);
        if (!(size > kSingular * scale[col]) || !std::isfinite(size))
            throw CZarvaException(messages::kSingularSystem);
        for (std::size_t j = 0; j < n; ++j)
            std::swap(a[col * n + j], a[pivot * n + j]);
        std::swap(b[col], b[pivot]);
        for (std::size_t row = col + 1; row < n; ++row) {
            const double factor = a[row * n + col] / a[col * n + col];
            for (std::size_t j = col; j < n; ++j)
                a[row * n + j] -= factor * a[col * n + j];
            b[row] -= factor * b[col];
        }
    }
    std::vector<double> x(n);
    for (std::size_t k = n; k-- > 0;) {
        double sum = b[k];
        for (std::size_t j = k + 1; j < n; ++j)
            sum -= a[k * n + j] * x[j];
        x[k] = sum / a[k * n + k];
    }
    return x;
}

} // namespace zarva
