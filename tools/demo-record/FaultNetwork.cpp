#include "FaultNetwork.h"

#include <cmath>
#include <numbers>

namespace zarva::demo {
namespace {

const Complex kA = std::polar(1.0, 2.0 * std::numbers::pi / 3.0);  // 120° rotation

Complex Parallel(Complex left, Complex right)
{
    return left * right / (left + right);
}

// One sequence network with the fault point splitting the line: the impedance from the
// fault back to each source.
struct SequenceBranch {
    Complex towardsM;
    Complex towardsN;

    Complex Thevenin() const { return Parallel(towardsM, towardsN); }
    // Share of a current drawn at the fault point that comes from M.
    Complex ShareFromM() const { return towardsN / (towardsM + towardsN); }
};

SequenceBranch Branch(Complex sourceM, Complex sourceN, Complex perKm, const DemoParameters& p)
{
    return {sourceM + perKm * p.faultDistance,
            sourceN + perKm * (p.lineLength - p.faultDistance)};
}

} // namespace

PhaseSet PhasesFromSequences(const PhaseSet& s)
{
    return {s[0] + s[1] + s[2], s[0] + kA * kA * s[1] + kA * s[2], s[0] + kA * s[1] + kA * kA * s[2]};
}

NetworkSolution SolveNetwork(const DemoParameters& p)
{
    const double phaseVoltage = p.nominalVoltage / std::sqrt(3.0);
    const Complex emfM = p.sourceMVoltage * phaseVoltage;
    const Complex emfN = std::polar(p.sourceNVoltage * phaseVoltage,
                                    -p.transferAngleDeg * std::numbers::pi / 180.0);
    const SequenceBranch positive = Branch(p.sourceM1, p.sourceN1, p.lineZ1PerKm, p);
    const SequenceBranch zero = Branch(p.sourceM0, p.sourceN0, p.lineZ0PerKm, p);

    NetworkSolution s;
    s.sourceM = PhasesFromSequences({0.0, emfM, 0.0});
    const Complex load = (emfM - emfN) / (positive.towardsM + positive.towardsN);
    s.preFaultCurrent = PhasesFromSequences({0.0, load, 0.0});

    // Phase A to earth: the three sequence networks in series with 3 Rf.
    const Complex preFaultVoltage = emfM - positive.towardsM * load;
    const Complex loop = 2.0 * positive.Thevenin() + zero.Thevenin() + 3.0 * p.faultResistance;
    const Complex faultCurrent = preFaultVoltage / loop;  // each sequence
    const PhaseSet drawn{faultCurrent, faultCurrent, faultCurrent};
    const Complex shares[3] = {zero.ShareFromM(), positive.ShareFromM(), positive.ShareFromM()};
    const Complex thevenin[3] = {zero.Thevenin(), positive.Thevenin(), positive.Thevenin()};
    const Complex through[3] = {0.0, load, 0.0};
    for (int k = 0; k < 3; ++k) {
        s.faultSequenceCurrentM[k] = through[k] + shares[k] * drawn[k];
        s.faultSequenceCurrentN[k] = -through[k] + (1.0 - shares[k]) * drawn[k];
        s.faultSequenceVoltage[k] = (k == 1 ? preFaultVoltage : 0.0) - thevenin[k] * drawn[k];
    }
    s.faultCurrent = PhasesFromSequences(s.faultSequenceCurrentM);

    const double omega = 2.0 * std::numbers::pi * p.frequency;
    s.timeConstant = loop.imag() / (omega * loop.real());
    return s;
}

} // namespace zarva::demo
