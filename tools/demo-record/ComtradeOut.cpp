#include "ComtradeOut.h"

#include "DemoSettings.h"
#include "FaultNetwork.h"
#include "core/model/CodePage.h"
#include "core/model/Rounding.h"
#include "core/model/TextFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace zarva::demo {
namespace {

constexpr const char* kLine = "ВЛ 110 кВ Северная - Южная";
constexpr const char* kDate = "14/03/2024";

// Value per code: voltages up to ±131 V, currents up to ±98 A.
constexpr double kVoltageStep = 0.004;
constexpr double kCurrentStep = 0.003;

std::string Fixed(double value, int decimals)
{
    char text[64];
    return {text, std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr};
}

std::string TimeOfDay(std::int64_t microseconds)
{
    const auto two = [](std::int64_t v) { return (v < 10 ? "0" : "") + std::to_string(v); };
    const std::int64_t seconds = microseconds / 1'000'000;
    const std::string fraction = std::to_string(1'000'000 + microseconds % 1'000'000).substr(1);
    return two(seconds / 3600) + ":" + two(seconds / 60 % 60) + ":" + two(seconds % 60) + "." + fraction;
}

struct AnalogChannel {
    const char* id;
    const char* phase;
    const char* unit;
    double step;
    double primary;
    double secondary;
    const std::vector<double>* values;
};

std::vector<AnalogChannel> AnalogChannels(const DemoParameters& p, const DemoSamples& s)
{
    const double vp = p.vtPrimary, vs = p.vtSecondary, cp = p.ctPrimary, cs = p.ctSecondary;
    return {
        {"Ua", "A", "V", kVoltageStep, vp, vs, &s.voltage[0]},
        {"Ub", "B", "V", kVoltageStep, vp, vs, &s.voltage[1]},
        {"Uc", "C", "V", kVoltageStep, vp, vs, &s.voltage[2]},
        {"Ia", "A", "A", kCurrentStep, cp, cs, &s.current[0]},
        {"Ib", "B", "A", kCurrentStep, cp, cs, &s.current[1]},
        {"Ic", "C", "A", kCurrentStep, cp, cs, &s.current[2]},
        {"3I0", "N", "A", kCurrentStep, cp, cs, &s.residualCurrent},
    };
}

std::string Configuration(const DemoParameters& p, const DemoSamples& s)
{
    const std::vector<AnalogChannel> analog = AnalogChannels(p, s);
    std::string cfg = std::string("ПС Северная,") + p.recorder + ",1999\r\n";
    cfg += std::to_string(analog.size() + 2) + "," + std::to_string(analog.size()) + "A,2D\r\n";
    int index = 1;
    for (const AnalogChannel& c : analog) {
        cfg += std::to_string(index++) + "," + c.id + "," + c.phase + "," + kLine + "," + c.unit + "," +
               ExactText(c.step) + ",0,0,-32767,32767," + ExactText(c.primary) + "," + ExactText(c.secondary) +
               ",S\r\n";
    }
    cfg += std::string("1,Пуск защиты,,") + kLine + ",0\r\n";
    cfg += std::string("2,Отключение,,") + kLine + ",0\r\n";
    cfg += ExactText(p.frequency) + "\r\n1\r\n";
    cfg += ExactText(p.sampleRate) + "," + std::to_string(s.time.size()) + "\r\n";
    const auto inception = static_cast<std::int64_t>(RoundHalfUp(p.faultInception * 1e6));
    cfg += std::string(kDate) + "," + TimeOfDay(p.startOfDay) + "\r\n";
    cfg += std::string(kDate) + "," + TimeOfDay(p.startOfDay + inception) + "\r\n";
    cfg += "BINARY\r\n1\r\n";
    return FromUtf8(cfg, CodePage::Windows1251);
}

void AppendLittleEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string Data(const DemoParameters& p, const DemoSamples& s)
{
    const std::vector<AnalogChannel> analog = AnalogChannels(p, s);
    std::string dat;
    for (std::size_t n = 0; n < s.time.size(); ++n) {
        AppendLittleEndian(dat, static_cast<std::uint32_t>(n + 1), 4);
        AppendLittleEndian(dat, static_cast<std::uint32_t>(RoundHalfUp(s.time[n] * 1e6)), 4);
        for (const AnalogChannel& c : analog) {
            const double code = std::clamp(RoundHalfUp((*c.values)[n] / c.step), -32767.0, 32767.0);
            AppendLittleEndian(dat, static_cast<std::uint32_t>(static_cast<std::int32_t>(code)), 2);
        }
        AppendLittleEndian(dat, s.start[n] | s.trip[n] << 1, 2);
    }
    return dat;
}

std::string Header(const DemoParameters& p, const DemoSamples& s)
{
    const NetworkSolution network = SolveNetwork(p);
    const Complex load = network.preFaultCurrent[0];
    const double power = 3.0 * std::real(network.sourceM[0] * std::conj(load)) / 1e6;
    const auto ms = [&](double seconds) { return Fixed(seconds * 1e3, 1); };
    const auto ohms = [](Complex z) { return Fixed(z.real(), 3) + " + j" + Fixed(z.imag(), 3) + " Ом"; };
    std::string hdr =
        "Демонстрационная осциллограмма Zarva (расчётная, не запись реального события).\r\n"
        "Однофазное КЗ фазы A на землю на " + std::string(kLine) + ".\r\n"
        "Регистратор на ПС Северная (конец M): напряжения шин, токи линии в сторону линии,\r\n"
        "вторичные величины; ТН " + ExactText(p.vtPrimary) + "/" + ExactText(p.vtSecondary) +
        " В, ТТ " + ExactText(p.ctPrimary) + "/" + ExactText(p.ctSecondary) + " А.\r\n"
        "\r\n"
        "Линия: " + Fixed(p.lineLength, 1) + " км, Z1 = " + ohms(p.lineZ1PerKm) + "/км, Z0 = " +
        ohms(p.lineZ0PerKm) + "/км.\r\n"
        "Система M: Z1 = " + ohms(p.sourceM1) + ", Z0 = " + ohms(p.sourceM0) + ", E = " +
        Fixed(p.sourceMVoltage, 2) + " о.е.\r\n"
        "Система N: Z1 = " + ohms(p.sourceN1) + ", Z0 = " + ohms(p.sourceN0) + ", E = " +
        Fixed(p.sourceNVoltage, 2) + " о.е., отстаёт на " + Fixed(p.transferAngleDeg, 1) + " град.\r\n"
        "Нагрузка до КЗ: " + Fixed(std::abs(load), 0) + " А, " + Fixed(power, 1) + " МВт от M к N.\r\n"
        "\r\n"
        "КЗ: " + Fixed(p.faultDistance, 1) + " км от M, переходное сопротивление " +
        Fixed(p.faultResistance, 2) + " Ом, момент " + ms(p.faultInception) + " мс.\r\n"
        "Постоянная времени апериодической составляющей " + ms(network.timeConstant) + " мс.\r\n"
        "Пуск защиты через " + ms(p.startDelay) + " мс, отключение через " + ms(p.tripDelay) +
        " мс, собственное время выключателя " + ms(p.breakerOpeningTime) + " мс.\r\n"
        "Фазы выключателя погасили дугу при переходе тока через ноль: A " + ms(s.poleClearing[0]) +
        " мс, B " + ms(s.poleClearing[1]) + " мс, C " + ms(s.poleClearing[2]) + " мс.\r\n";
    return FromUtf8(hdr, CodePage::Windows1251);
}

} // namespace

DemoFiles FormatDemoRecord(const DemoParameters& parameters, const DemoSamples& samples)
{
    return {Configuration(parameters, samples), Data(parameters, samples), Header(parameters, samples),
            DemoSettings(parameters).FileBytes()};
}

} // namespace zarva::demo
