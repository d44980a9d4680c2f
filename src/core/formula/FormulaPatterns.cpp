#include "core/formula/FormulaPatterns.h"

#include "core/formula/FormulaChars.h"
#include "core/formula/FormulaLexer.h"
#include "core/model/Oscillogram.h"
#include "core/model/StringTable.h"

#include <algorithm>

namespace zarva {
namespace {

constexpr int kBadChannelName = 396;
constexpr int kNameExists = 473;

FormulaType Leaf(std::string russian, std::string english, std::string pattern)
{
    return {std::move(russian), std::move(english), std::move(pattern), {}};
}

FormulaType Group(std::string russian, std::string english, std::vector<FormulaType> children)
{
    return {std::move(russian), std::move(english), {}, std::move(children)};
}

// "%s, " repeated, closed by a last "%s": the argument list of the functions over legs.
std::string Marks(int count)
{
    std::string marks;
    for (int i = 1; i < count; ++i)
        marks += "%s, ";
    return marks + "%s";
}

// Active, reactive and full forms of a complex quantity.
std::vector<FormulaType> Parts(const std::string& inner, const char* const (&captions)[3][2],
                               const char* const (&units)[3])
{
    static constexpr const char* kWrappers[3] = {"Re: (", "Im: (", "Mod:("};
    std::vector<FormulaType> items;
    for (int i = 0; i < 3; ++i)
        items.push_back(Leaf(captions[i][0], captions[i][1],
                             std::string(kWrappers[i]) + inner + ")" + units[i]));
    return items;
}

std::vector<FormulaType> Powers(const std::string& inner)
{
    static constexpr const char* kCaptions[3][2] = {
        {"Активная P", "Active P"}, {"Реактивная Q", "Reactive Q"}, {"Полная S", "Apparent S"}};
    static constexpr const char* kUnits[3] = {"[W]", "[var]", "[VA]"};
    std::vector<FormulaType> items = Parts(inner, kCaptions, kUnits);
    std::rotate(items.begin(), items.begin() + 2, items.end());
    return items;
}

std::vector<FormulaType> Impedances(const std::string& inner)
{
    static constexpr const char* kCaptions[3][2] = {
        {"Активное R", "Resistance R"}, {"Реактивное X", "Reactance X"}, {"Полное Z", "Impedance Z"}};
    static constexpr const char* kUnits[3] = {"", "", ""};
    return Parts(inner, kCaptions, kUnits);
}

std::vector<FormulaType> PerPhase(const std::string& function, int count)
{
    std::vector<FormulaType> items;
    for (const char* phase : {"a", "b", "c"}) {
        const std::string name = std::string("I") + phase;
        items.push_back(Leaf("Канал " + name, "Channel " + name,
                             "Mod:(" + function + name + ": (" + Marks(count) + "))"));
    }
    return items;
}

std::vector<FormulaType> BuildTree()
{
    return {
        Leaf("Формула", "Formula", ""),
        Group("Анализ сигналов", "Signal analysis",
              {Leaf("Угол", "Angle", "Arg: (%s)"),
               Leaf("Cos угла между Uф и Iф", "Cos of the angle between Uph and Iph", "CosUI: (%s, %s)"),
               Leaf("Угол между сигналами", "Angle between signals", "ABSig: (%s, %s)"),
               Leaf("Среднеквадратичное значение", "RMS value", "Rms: (%s)"),
               Leaf("Действующее значение гармоники", "RMS value of a harmonic", "Fourie: (%s, %s)"),
               Leaf("Постоянная составляющая", "DC component", "A0: (%s)"),
               Leaf("Аварийная составляющая", "Fault component", "Fault: (%s)"),
               Leaf("Частоты (для ТОРН и ВЕКС)", "Frequencies (for TORN and VEKS)", "Frequency: ()")}),
        Group("Токи", "Currents",
              {Leaf("Ток Ib", "Current Ib", "Ib: (%s, %s, %s)"),
               Leaf("Ток 3Io", "Current 3Io", "3I0: (%s, %s, %s)"),
               Leaf("Ток I1", "Current I1", "I1: (%s, %s, %s)"),
               Leaf("Ток I2", "Current I2", "I2: (%s, %s, %s)")}),
        Group("Напряжения", "Voltages",
              {Group("Линейные напряжения", "Line voltages",
                     {Leaf("По фазным напряжениям", "From phase voltages", "Ulf: (%s, %s)"),
                      Leaf("По линейным напряжениям", "From line voltages", "Ull: (%s, %s)")}),
               Group("Фазные напряжения", "Phase voltages",
                     {Leaf("Напряжение Ua", "Voltage Ua", "Ua: (" + Marks(5) + ")"),
                      Leaf("Напряжение Ub", "Voltage Ub", "Ub: (" + Marks(5) + ")"),
                      Leaf("Напряжение Uc", "Voltage Uc", "Uc: (" + Marks(5) + ")")}),
               Group("Симметричные составляющие", "Symmetrical components",
                     {Leaf("Напряжение 3Uo", "Voltage 3Uo", "3U0: (%s, %s, %s)"),
                      Group("Напряжение U1", "Voltage U1",
                            {Leaf("По фазным напряжениям", "From phase voltages", "U1f: (%s, %s, %s)"),
                             Leaf("По линейным напряжениям", "From line voltages", "U1l: (%s, %s)")}),
                      Group("Напряжение U2", "Voltage U2",
                            {Leaf("По фазным напряжениям", "From phase voltages", "U2f: (%s, %s, %s)"),
                             Leaf("По линейным напряжениям", "From line voltages", "U2l: (%s, %s)")})}),
               Leaf("U неисправности цепей напряжения", "Voltage circuit fault U",
                    "Uncn: (" + Marks(5) + ")")}),
        Group("Мощности", "Powers",
              {Leaf("Коэффициент мощности", "Power factor", "Pk: (%s)"),
               Group("Фазная", "Phase", Powers("Pf: (%s, %s)")),
               Group("Трехфазной цепи", "Three-phase circuit",
                     {Group("Метод 3-х ваттметров", "Three-wattmeter method",
                            Powers("Pf3WM: (" + Marks(6) + ")")),
                      Group("Метод 2-х ваттметров", "Two-wattmeter method",
                            Powers("Pf2WM: (" + Marks(4) + ")"))})}),
        Group("Сопротивления", "Impedances",
              {Group("Фаза-фаза", "Phase to phase", Impedances("Zl: (" + Marks(4) + ")")),
               Group("Фаза-земля", "Phase to earth",
                     {Group("По удельным параметрам", "From line parameters",
                            Impedances("Zf: (" + Marks(11) + ")")),
                      Group("По коэффициентам компенсации", "From compensation factors",
                            Impedances("Zk: (" + Marks(9) + ")"))})}),
        Group("Дифференциальная защита", "Differential protection",
              {Group("Приведение плеч", "Leg reduction",
                     {Leaf("По коэффициенту приведения", "By a reduction factor", "CoeffPriv: (%s, %s)"),
                      Leaf("По коэффициенту трансформации TT", "By the CT ratio", "CoeffTT: (%s, %s, %s)"),
                      Leaf("По мощности", "By power", "CoeffPowerPriv: (%s, %s, %s, %s)"),
                      Leaf("По номинальному току", "By rated current", "CoeffAmpPriv: (%s, %s, %s)")}),
               Group("Учет группы соединений", "Vector group compensation",
                     {Group("По последовательностям", "By sequence components",
                            PerPhase("GrsPosl", 5)),
                      Group("Цифровой треугольник", "Digital delta", PerPhase("GrsTriangle", 4))}),
               Group("Дифференциальный ток", "Differential current",
                     {Leaf("Сумма токов", "Sum of currents", "Mod:(GrsSumCur: (" + Marks(24) + "))")}),
               Group("Ток торможения", "Restraint current",
                     {Leaf("Сумма модулей токов", "Sum of current magnitudes",
                           "TormSumCur: (" + Marks(25) + ")"),
                      Leaf("Разность токов", "Difference of currents", "TormSubCur: (%s, %s, %s)"),
                      Leaf("Максимальный из токов", "Largest current", "TormMaxCur: (" + Marks(24) + ")")})}),
    };
}

} // namespace

const std::string& FormulaType::Caption() const
{
    return EnglishInterface() ? english : russian;
}

int FormulaType::ArgumentCount() const
{
    int count = 0;
    for (std::size_t at = pattern.find("%s"); at != std::string::npos; at = pattern.find("%s", at + 2))
        ++count;
    return count;
}

const std::vector<FormulaType>& FormulaTypes()
{
    static const std::vector<FormulaType> tree = BuildTree();
    return tree;
}

std::string QuoteChannelName(std::string_view name)
{
    const bool plain = !name.empty() && IsLetter(name.front()) && !StartsWithFormulaWord(name) &&
                       std::ranges::all_of(name, [](char c) { return IsLetter(c) || IsDigit(c); });
    return plain ? std::string(name) : "\"" + std::string(name) + "\"";
}

std::string BuildFormula(std::string_view pattern, const std::vector<std::string>& arguments)
{
    std::string formula;
    std::size_t next = 0;
    for (std::size_t at = pattern.find("%s"); at != std::string_view::npos; at = pattern.find("%s")) {
        formula += pattern.substr(0, at);
        if (next < arguments.size())
            formula += arguments[next];
        ++next;
        pattern.remove_prefix(at + 2);
    }
    return formula += pattern;
}

bool IsComputedChannelName(std::string_view name)
{
    return !name.empty() && IsLetter(name.front()) && name.find_first_of(",\"\r\n") == std::string_view::npos;
}

int CheckNewChannelName(const Oscillogram& record, const std::string& name)
{
    if (!IsComputedChannelName(name))
        return kBadChannelName;
    const auto& computed = record.calcChannels.Names();
    const bool taken =
        std::ranges::find(computed, name) != computed.end() ||
        std::ranges::any_of(record.channels, [&](const Channel& c) { return c.name == name; });
    return taken ? kNameExists : 0;
}

} // namespace zarva
