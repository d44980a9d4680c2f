#include "DemoRecord.h"

#include "FaultNetwork.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zarva::demo {
namespace {

// The current of one phase at M as a function of time, with its derivative.
class PhaseCurrent {
public:
    PhaseCurrent(Complex preFault, Complex fault, const DemoParameters& p, double timeConstant)
        : preFault_(preFault), fault_(fault), omega_(2.0 * std::numbers::pi * p.frequency),
          inception_(p.faultInception), timeConstant_(timeConstant),
          offset_(Sine(preFault, inception_) - Sine(fault, inception_))
    {
    }

    void ClearAt(double time) { clearing_ = time; }

    double Value(double t) const
    {
        if (t >= clearing_)
            return 0.0;
        if (t < inception_)
            return Sine(preFault_, t);
        return Sine(fault_, t) + offset_ * std::exp(-(t - inception_) / timeConstant_);
    }

    double Slope(double t) const
    {
        if (t >= clearing_)
            return 0.0;
        if (t < inception_)
            return omega_ * Cosine(preFault_, t);
        return omega_ * Cosine(fault_, t) -
               offset_ / timeConstant_ * std::exp(-(t - inception_) / timeConstant_);
    }

    // The first zero at or after `from`, found on a 1 µs grid and refined by bisection.
    double NextZero(double from) const
    {
        constexpr double kStep = 1e-6;
        double before = from;
        for (int i = 1; i <= 100'000; ++i) {
            const double after = from + i * kStep;
            if (Value(before) == 0.0)
                return before;
            if ((Value(before) < 0.0) != (Value(after) < 0.0))
                return Bisect(before, after);
            before = after;
        }
        return before;
    }

private:
    double Sine(Complex phasor, double t) const
    {
        return std::sqrt(2.0) * std::abs(phasor) * std::sin(omega_ * t + std::arg(phasor));
    }
    double Cosine(Complex phasor, double t) const
    {
        return std::sqrt(2.0) * std::abs(phasor) * std::cos(omega_ * t + std::arg(phasor));
    }
    double Bisect(double low, double high) const
    {
        const bool lowNegative = Value(low) < 0.0;
        for (int i = 0; i < 40; ++i) {
            const double middle = 0.5 * (low + high);
            ((Value(middle) < 0.0) == lowNegative ? low : high) = middle;
        }
        return high;
    }

    Complex preFault_;
    Complex fault_;
    double omega_;
    double inception_;
    double timeConstant_;
    double offset_;
    double clearing_ = INFINITY;
};

// Resistance and inductance matrices of the source behind M, from its sequence impedances.
struct SourceMatrix {
    double selfR, selfL, mutualR, mutualL;
};

SourceMatrix SourceOf(const DemoParameters& p)
{
    const double omega = 2.0 * std::numbers::pi * p.frequency;
    const Complex self = (p.sourceM0 + 2.0 * p.sourceM1) / 3.0;
    const Complex mutual = (p.sourceM0 - p.sourceM1) / 3.0;
    return {self.real(), self.imag() / omega, mutual.real(), mutual.imag() / omega};
}

} // namespace

DemoSamples Simulate(const DemoParameters& p)
{
    const NetworkSolution network = SolveNetwork(p);
    std::array<PhaseCurrent, 3> currents = {
        PhaseCurrent(network.preFaultCurrent[0], network.faultCurrent[0], p, network.timeConstant),
        PhaseCurrent(network.preFaultCurrent[1], network.faultCurrent[1], p, network.timeConstant),
        PhaseCurrent(network.preFaultCurrent[2], network.faultCurrent[2], p, network.timeConstant),
    };
    DemoSamples out;
    const double contactsPart = p.faultInception + p.tripDelay + p.breakerOpeningTime;
    for (int k = 0; k < 3; ++k) {
        out.poleClearing[k] = currents[k].NextZero(contactsPart);
        currents[k].ClearAt(out.poleClearing[k]);
    }
    const double cleared = *std::max_element(out.poleClearing.begin(), out.poleClearing.end());

    const SourceMatrix source = SourceOf(p);
    const double omega = 2.0 * std::numbers::pi * p.frequency;
    const double vtRatio = p.vtSecondary / p.vtPrimary;
    const double ctRatio = p.ctSecondary / p.ctPrimary;
    const auto count = static_cast<std::size_t>(std::lround(p.duration * p.sampleRate));
    for (std::size_t n = 0; n < count; ++n) {
        const double t = static_cast<double>(n) / p.sampleRate;
        out.time.push_back(t);
        double residual = 0.0;
        for (int k = 0; k < 3; ++k) {
            double drop = 0.0;
            for (int j = 0; j < 3; ++j) {
                const bool self = j == k;
                drop += (self ? source.selfR : source.mutualR) * currents[j].Value(t) +
                        (self ? source.selfL : source.mutualL) * currents[j].Slope(t);
            }
            const Complex emf = network.sourceM[k];
            const double emfValue = std::sqrt(2.0) * std::abs(emf) * std::sin(omega * t + std::arg(emf));
            out.voltage[k].push_back((emfValue - drop) * vtRatio);
            out.current[k].push_back(currents[k].Value(t) * ctRatio);
            residual += out.current[k].back();
        }
        out.residualCurrent.push_back(residual);
        out.start.push_back(t >= p.faultInception + p.startDelay && t < cleared + p.startResetDelay);
        out.trip.push_back(t >= p.faultInception + p.tripDelay && t < cleared + p.tripResetDelay);
    }
    return out;
}

} // namespace zarva::demo
