#include "LineNetwork.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zarva::sim {
namespace {

using NodeList = std::vector<std::size_t>;

constexpr double kSamePoint = 1e-9;       // km
constexpr double kBoltedResistance = 1e-6;  // ohm, for a fault without resistance

// The phase-domain matrix of a balanced (transposed) element from its sequence values.
ComplexMatrix PhaseMatrix(Complex positive, Complex zero)
{
    ComplexMatrix m(3, 3);
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = 0; j < 3; ++j)
            m(i, j) = i == j ? (zero + 2.0 * positive) / 3.0 : (zero - positive) / 3.0;
    }
    return m;
}

// Per-kilometre series impedance and shunt admittance of the conductors of one stretch:
// three, or six with the parallel circuit coupled through the zero-sequence mutual.
struct PerKm {
    ComplexMatrix z;
    ComplexMatrix y;
};

PerKm ConductorsPerKm(const LineSectionData& section, bool parallel, double omega)
{
    const ComplexMatrix z = PhaseMatrix(section.z1, section.z0);
    const ComplexMatrix y = PhaseMatrix(Complex(0.0, omega * section.c1), Complex(0.0, omega * section.c0));
    if (!parallel)
        return {z, y};
    PerKm both{ComplexMatrix(6, 6), ComplexMatrix(6, 6)};
    ComplexMatrix mutual(3, 3);
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = 0; j < 3; ++j)
            mutual(i, j) = section.zm / 3.0;
    }
    both.z.SetBlock(0, 0, z);
    both.z.SetBlock(3, 3, z);
    both.z.SetBlock(0, 3, mutual);
    both.z.SetBlock(3, 0, mutual);
    both.y.SetBlock(0, 0, y);
    both.y.SetBlock(3, 3, y);
    return both;
}

// Nodal admittance of a stretch of `length` km: currents into it at both ends from the
// voltages at both ends. The chain matrix is e^{A l} of dU/dx = -Z I, dI/dx = -Y U.
ComplexMatrix StretchAdmittance(const PerKm& line, double length)
{
    const std::size_t n = line.z.Rows();
    ComplexMatrix a(2 * n, 2 * n);
    a.SetBlock(0, n, line.z * Complex(-length));
    a.SetBlock(n, 0, line.y * Complex(-length));
    const ComplexMatrix chain = Exponential(a);
    const ComplexMatrix ua = chain.Block(0, 0, n, n);
    const ComplexMatrix ub = chain.Block(0, n, n, n);
    const ComplexMatrix ia = chain.Block(n, 0, n, n);
    const ComplexMatrix ib = chain.Block(n, n, n, n);
    const ComplexMatrix ubInverse = Inverse(ub);
    ComplexMatrix y(2 * n, 2 * n);
    y.SetBlock(0, 0, ubInverse * ua * Complex(-1.0));
    y.SetBlock(0, n, ubInverse);
    y.SetBlock(n, 0, ib * ubInverse * ua - ia);
    y.SetBlock(n, n, ib * ubInverse * Complex(-1.0));
    return y;
}

ComplexMatrix FaultAdmittance(const FaultData& fault)
{
    const double g = 1.0 / std::max(fault.resistance, kBoltedResistance);
    const std::array<bool, 3> phases = FaultPhases(fault.kind);
    const double count = static_cast<double>(std::count(phases.begin(), phases.end(), true));
    ComplexMatrix y(3, 3);
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = 0; j < 3; ++j) {
            if (!phases[i] || !phases[j])
                continue;
            // A floating fault point is eliminated: g (1 - 1/k) on the diagonal, -g/k off it.
            y(i, j) = (i == j ? g : 0.0) - (FaultToEarth(fault.kind) ? 0.0 : g / count);
        }
    }
    return y;
}

struct Stretch {
    NodeList nodes;  // conductors at the near end, then at the far end
    ComplexMatrix admittance;
};

class NetworkBuilder {
public:
    NetworkBuilder(const NetworkData& network, const FaultData* fault) : network_(network), fault_(fault) {}

    NetworkState Solve();

private:
    std::size_t NewNodes(std::size_t count)
    {
        const std::size_t first = nodeCount_;
        nodeCount_ += count;
        return first;
    }
    std::vector<double> Points() const;
    const LineSectionData& SectionAt(double x) const;
    void AddStretch(const NodeList& near, const NodeList& far, const LineSectionData& section, bool parallel,
                    double length);
    void AddShunt(std::size_t firstNode, const ComplexMatrix& y);
    void AddSource(std::size_t firstNode, const SourceData& source);
    PhaseSet Currents(const Stretch& stretch, const std::vector<Complex>& u, std::size_t firstRow) const;
    PhaseSet Voltages(std::size_t firstNode, const std::vector<Complex>& u) const;

    const NetworkData& network_;
    const FaultData* fault_;
    std::size_t nodeCount_ = 6;  // bus M: 0..2, bus N: 3..5
    std::vector<Stretch> stretches_;
    std::vector<std::pair<std::size_t, ComplexMatrix>> shunts_;
    std::vector<std::pair<std::size_t, Complex>> injections_;
};

std::vector<double> NetworkBuilder::Points() const
{
    std::vector<double> points{0.0};
    for (const LineSectionData& section : network_.sections)
        points.push_back(points.back() + section.length);
    if (fault_ != nullptr && fault_->distance > 0.0 && fault_->distance < points.back())
        points.push_back(fault_->distance);
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end(),
                             [](double a, double b) { return std::abs(a - b) < kSamePoint; }),
                 points.end());
    return points;
}

const LineSectionData& NetworkBuilder::SectionAt(double x) const
{
    double end = 0.0;
    for (const LineSectionData& section : network_.sections) {
        end += section.length;
        if (x < end)
            return section;
    }
    return network_.sections.back();
}

void NetworkBuilder::AddStretch(const NodeList& near, const NodeList& far, const LineSectionData& section,
                                bool parallel, double length)
{
    const double omega = 2.0 * std::numbers::pi * network_.frequency;
    NodeList nodes = near;
    nodes.insert(nodes.end(), far.begin(), far.end());
    stretches_.push_back({nodes, StretchAdmittance(ConductorsPerKm(section, parallel, omega), length)});
}

void NetworkBuilder::AddShunt(std::size_t firstNode, const ComplexMatrix& y)
{
    shunts_.emplace_back(firstNode, y);
}

PhaseSet SourceEmfOf(const NetworkData& network, const SourceData& source)
{
    const double phase = source.voltage * network.nominalVoltage / std::sqrt(3.0);
    const double angle = source.angleDeg * std::numbers::pi / 180.0;
    const double turn = 2.0 * std::numbers::pi / 3.0;
    return {std::polar(phase, angle), std::polar(phase, angle - turn), std::polar(phase, angle + turn)};
}

void NetworkBuilder::AddSource(std::size_t firstNode, const SourceData& source)
{
    const ComplexMatrix y = Inverse(PhaseMatrix(source.z1, source.z0));
    AddShunt(firstNode, y);
    const PhaseSet emf = SourceEmfOf(network_, source);
    const std::vector<Complex> injected = y * std::vector<Complex>(emf.begin(), emf.end());
    for (std::size_t k = 0; k < 3; ++k)
        injections_.emplace_back(firstNode + k, injected[k]);
}

NodeList Phases(std::size_t first)
{
    return {first, first + 1, first + 2};
}

PhaseSet NetworkBuilder::Currents(const Stretch& stretch, const std::vector<Complex>& u, std::size_t firstRow) const
{
    PhaseSet currents{};
    for (std::size_t k = 0; k < 3; ++k) {
        for (std::size_t j = 0; j < stretch.nodes.size(); ++j)
            currents[k] += stretch.admittance(firstRow + k, j) * u[stretch.nodes[j]];
    }
    return currents;
}

PhaseSet NetworkBuilder::Voltages(std::size_t firstNode, const std::vector<Complex>& u) const
{
    return {u[firstNode], u[firstNode + 1], u[firstNode + 2]};
}

NetworkState NetworkBuilder::Solve()
{
    const std::vector<double> points = Points();
    const bool parallel = network_.parallelLine;
    std::vector<std::size_t> mainAt(points.size());
    std::vector<std::size_t> parallelAt(points.size());
    for (std::size_t k = 0; k < points.size(); ++k) {
        const bool end = k == 0 || k + 1 == points.size();
        mainAt[k] = k == 0 ? 0 : k + 1 == points.size() ? 3 : NewNodes(3);
        parallelAt[k] = end ? mainAt[k] : parallel ? NewNodes(3) : 0;
    }
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        NodeList near = Phases(mainAt[k]);
        NodeList far = Phases(mainAt[k + 1]);
        if (parallel) {
            const NodeList nearParallel = Phases(parallelAt[k]);
            const NodeList farParallel = Phases(parallelAt[k + 1]);
            near.insert(near.end(), nearParallel.begin(), nearParallel.end());
            far.insert(far.end(), farParallel.begin(), farParallel.end());
        }
        AddStretch(near, far, SectionAt(0.5 * (points[k] + points[k + 1])), parallel, points[k + 1] - points[k]);
    }
    const std::size_t lastLineStretch = stretches_.size() - 1;

    std::size_t faultNode = 0;
    if (fault_ != nullptr) {
        const double length = network_.Length();
        if (fault_->distance > length + kSamePoint) {
            faultNode = NewNodes(3);
            AddStretch(Phases(3), Phases(faultNode), network_.sections.back(), false, fault_->distance - length);
        } else {
            const auto at = std::find_if(points.begin(), points.end(),
                                         [&](double x) { return std::abs(x - fault_->distance) < kSamePoint; });
            faultNode = at == points.end() ? 0 : mainAt[static_cast<std::size_t>(at - points.begin())];
        }
        AddShunt(faultNode, FaultAdmittance(*fault_));
    }
    if (network_.tapSection >= 0 && network_.tapSection < static_cast<int>(network_.sections.size())) {
        double end = 0.0;
        for (int s = 0; s <= network_.tapSection; ++s)
            end += network_.sections[static_cast<std::size_t>(s)].length;
        const auto at = std::find_if(points.begin(), points.end(), [&](double x) { return std::abs(x - end) < kSamePoint; });
        ComplexMatrix y(3, 3);
        for (std::size_t i = 0; i < 3; ++i) {
            for (std::size_t j = 0; j < 3; ++j)
                y(i, j) = 1.0 / (3.0 * network_.tapZ0);
        }
        AddShunt(mainAt[static_cast<std::size_t>(at - points.begin())], y);
    }
    AddSource(0, network_.sourceM);
    AddSource(3, network_.sourceN);

    ComplexMatrix y(nodeCount_, nodeCount_);
    ComplexMatrix injection(nodeCount_, 1);
    for (const Stretch& stretch : stretches_) {
        for (std::size_t i = 0; i < stretch.nodes.size(); ++i) {
            for (std::size_t j = 0; j < stretch.nodes.size(); ++j)
                y(stretch.nodes[i], stretch.nodes[j]) += stretch.admittance(i, j);
        }
    }
    for (const auto& [first, shunt] : shunts_) {
        for (std::size_t i = 0; i < 3; ++i) {
            for (std::size_t j = 0; j < 3; ++j)
                y(first + i, first + j) += shunt(i, j);
        }
    }
    for (const auto& [node, current] : injections_)
        injection(node, 0) += current;
    const ComplexMatrix solution = sim::Solve(y, injection);
    std::vector<Complex> u(nodeCount_);
    for (std::size_t k = 0; k < nodeCount_; ++k)
        u[k] = solution(k, 0);

    NetworkState state;
    const std::size_t conductors = parallel ? 6 : 3;
    state.m = {Voltages(0, u), Currents(stretches_.front(), u, 0), {}};
    state.n = {Voltages(3, u), Currents(stretches_[lastLineStretch], u, conductors), {}};
    if (parallel) {
        state.m.parallelCurrent = Currents(stretches_.front(), u, 3);
        state.n.parallelCurrent = Currents(stretches_[lastLineStretch], u, conductors + 3);
    }
    if (fault_ != nullptr) {
        state.faultVoltage = Voltages(faultNode, u);
        const std::vector<Complex> drawn =
            FaultAdmittance(*fault_) * std::vector<Complex>(state.faultVoltage.begin(), state.faultVoltage.end());
        state.faultCurrent = {drawn[0], drawn[1], drawn[2]};
    }
    return state;
}

} // namespace

const char* FaultName(FaultKind kind)
{
    constexpr const char* kNames[] = {"AG", "BG", "CG", "AB", "BC", "CA", "ABG", "BCG", "CAG", "ABC"};
    return kNames[static_cast<int>(kind)];
}

std::array<bool, 3> FaultPhases(FaultKind kind)
{
    switch (kind) {
    case FaultKind::AG: return {true, false, false};
    case FaultKind::BG: return {false, true, false};
    case FaultKind::CG: return {false, false, true};
    case FaultKind::AB:
    case FaultKind::ABG: return {true, true, false};
    case FaultKind::BC:
    case FaultKind::BCG: return {false, true, true};
    case FaultKind::CA:
    case FaultKind::CAG: return {true, false, true};
    case FaultKind::ABC: break;
    }
    return {true, true, true};
}

bool FaultToEarth(FaultKind kind)
{
    return kind == FaultKind::AG || kind == FaultKind::BG || kind == FaultKind::CG || kind == FaultKind::ABG ||
           kind == FaultKind::BCG || kind == FaultKind::CAG;
}

double NetworkData::Length() const
{
    double length = 0.0;
    for (const LineSectionData& section : sections)
        length += section.length;
    return length;
}

NetworkState SolveNetwork(const NetworkData& network, const FaultData* fault)
{
    return NetworkBuilder(network, fault).Solve();
}

PhaseSet SourceEmf(const NetworkData& network, const SourceData& source)
{
    return SourceEmfOf(network, source);
}

} // namespace zarva::sim
