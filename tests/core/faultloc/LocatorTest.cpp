#include "SimulatedRecord.h"
#include "StandardNetwork.h"
#include "core/document/Document.h"
#include "core/faultloc/FaultDetector.h"
#include "core/faultloc/FaultLocator.h"
#include "core/faultloc/LinearSolver.h"
#include "core/faultloc/LocatorText.h"
#include "core/faultloc/OffsetCompensation.h"
#include "core/dsp/WindowMeasures.h"
#include "core/model/ZarvaException.h"
#include "core/storage/TextFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace zarva {
namespace {

using namespace sim;
using namespace WrongPlaceLocatorData;

std::unique_ptr<Document> Simulated(const NetworkData& network, const FaultData* fault)
{
    auto document = std::make_unique<Document>();
    FillDocument(*document, SimulateRecord(network, fault, RecordTiming{}));
    return document;
}

std::string ErrorOf(const Oscillogram& record, const LineModel& model)
{
    try {
        LocateFaultInRecord(record, model);
    } catch (const CZarvaException& error) {
        return error.what();
    }
    return "";
}

TEST(Locator, RecordWithoutAFaultSaysSoAndFlagsNothing)
{
    const NetworkData network = StandardNetwork(20.0, true, true);
    auto document = Simulated(network, nullptr);
    for (int type : {kIsolatedNeutral, kGroundedNeutral, kTwoEnded}) {
        const LineModel model = LocatorModel(network, type);
        const Location location = LocateFaultInRecord(document->oscillogram, model);
        EXPECT_EQ(ResultText(location.result), "    КЗ отсутствует.") << type;
        const std::string report = ReportText(location.result, model, document->oscillogram, "r.cfg");
        EXPECT_NE(report.find("КЗ отсутствует.\n\nПодстанция"), std::string::npos) << report;
        EXPECT_NE(report.find("    X0 удельное (Ом/км): 1.3\n"), std::string::npos);
    }
    AddResultChannels(document->oscillogram, LocateFaultInRecord(document->oscillogram, LocatorModel(network, 2)));
    const auto& channels = document->oscillogram.channels;
    for (const char* name : {"Lкз", "КЗ фазы А", "КЗ фазы B", "КЗ фазы C"}) {
        const Channel& channel = channels[document->oscillogram.FindChannel(name)];
        EXPECT_EQ(std::ranges::max(channel.samples.View().ToVector()), 0.0) << name;
    }
}

TEST(Locator, ResultChannelsFollowTheFaultAndAreReplacedOnTheNextRun)
{
    const NetworkData network = StandardNetwork(0.0, false, false);
    const FaultData fault{FaultKind::BG, 35.0, 2.0};
    auto document = Simulated(network, &fault);
    Oscillogram& record = document->oscillogram;
    const std::size_t own = record.channels.size();
    const Location location = LocateFaultInRecord(record, LocatorModel(network, kGroundedNeutral));
    AddResultChannels(record, location);
    AddResultChannels(record, location);
    ASSERT_EQ(record.channels.size(), own + 4);
    const Channel& distance = record.channels[record.FindChannel("Lкз")];
    const Channel& phaseB = record.channels[record.FindChannel("КЗ фазы B")];
    EXPECT_EQ(distance.unit, "km");
    EXPECT_TRUE(phaseB.IsDiscrete());
    const std::size_t inception = 200, clearing = 400;  // 2000 samples/s, 0.1 s and 0.2 s
    EXPECT_EQ(phaseB.samples[inception - 10], 0.0);
    EXPECT_EQ(phaseB.samples[inception + 100], 1.0);
    EXPECT_EQ(record.channels[record.FindChannel("КЗ фазы А")].samples[inception + 100], 0.0);
    EXPECT_NEAR(distance.samples[clearing - 60], 35.0, 0.5);
    EXPECT_EQ(distance.samples[clearing + 60], 0.0);
    EXPECT_EQ(location.result.section, 1u);
    EXPECT_EQ(location.result.pole, 140);  // 240 poles over 60 km: the 140th span holds 35 km
}

TEST(Locator, FaultBeyondTheLineIsOnTheAdjacentLine)
{
    const NetworkData network = StandardNetwork(0.0, false, false);
    const FaultData fault{FaultKind::AB, 120.0, 0.0};
    auto document = Simulated(network, &fault);
    for (int type : {kIsolatedNeutral, kGroundedNeutral}) {
        const LineModel model = LocatorModel(network, type);
        const LocationResult result = LocateFaultInRecord(document->oscillogram, model).result;
        EXPECT_TRUE(result.fault);
        EXPECT_FALSE(result.onLine);
        EXPECT_GT(result.distance, 100.0) << type;  // further still with the infeed at N
        EXPECT_EQ(ResultText(result), "    2-х фазное КЗ: фазы AB на смежной линии.");
        const std::string report = ReportText(result, model, document->oscillogram, "r.cfg");
        EXPECT_NE(report.find("2-х фазное КЗ: фазы AB на смежной линии.\n\n"), std::string::npos);
        EXPECT_EQ(report.find("Расстояние"), std::string::npos);
    }
}

TEST(Locator, ReadsPrimaryValuesWhateverTheChannelsShow)
{
    const NetworkData network = StandardNetwork(20.0, true, true);
    const FaultData fault{FaultKind::CA, 62.0, 5.0};
    auto document = Simulated(network, &fault);
    const LineModel model = LocatorModel(network, kGroundedNeutral);
    const double asStored = LocateFaultInRecord(document->oscillogram, model).result.distance;
    EXPECT_NEAR(asStored, 62.0, 1.0);
    for (Channel& channel : document->oscillogram.channels) {
        channel.showPrimary = true;
        channel.SetFlag(display::kInverted, true);
        channel.SetFlag(display::kDcRemoved, true);
        channel.Recompute();
    }
    EXPECT_NEAR(LocateFaultInRecord(document->oscillogram, model).result.distance, asStored, 1e-6);
}

TEST(Locator, MissingDataAndChannelsAreReportedNotCrashedOn)
{
    const NetworkData network = StandardNetwork(0.0, true, false);
    const FaultData fault{FaultKind::AG, 50.0, 0.0};
    auto document = Simulated(network, &fault);
    const Oscillogram& record = document->oscillogram;
    const std::string notEntered = "Данные для определения места повреждения не введены.";

    LineModel model = LocatorModel(network, kTwoEnded);
    model.StationAt(1).SetValue("Ib", "IB9");
    model.StationAt(1).SetValue("Uc", "нет такого");
    EXPECT_EQ(ErrorOf(record, model), "В осциллограмме нет каналов, указанных в настройках ОМП - IB9, нет такого");
    model.StationAt(1).SetValue("Ua", "");
    EXPECT_EQ(ErrorOf(record, model), notEntered);

    model = LocatorModel(network, kGroundedNeutral);
    model.StationAt(0).SectionAt(1).ParallelLines()[0]->SetValue("I0", "3I0 L3");
    EXPECT_EQ(ErrorOf(record, model), "В осциллограмме нет каналов, указанных в настройках ОМП - 3I0 L3");
    model.StationAt(0).SectionAt(1).ParallelLines()[0]->SetValue("I0", "");
    EXPECT_EQ(ErrorOf(record, model), "") << "an unmeasured parallel line is left out";
    model.StationAt(0).SetValue("In", "0");
    EXPECT_EQ(ErrorOf(record, model), notEntered);
    model.type = 3;
    EXPECT_EQ(ErrorOf(record, model), notEntered);
    model = LocatorModel(network, kIsolatedNeutral);
    model.StationAt(0).SectionAt(0).SetValue("x", "0");
    model.StationAt(0).SectionAt(0).SetValue("r", "");
    EXPECT_EQ(ErrorOf(record, model), "R и X удельные не могут одновременно быть равны нулю");
    EXPECT_EQ(ErrorOf(record, LineModel()), notEntered);
}

FaultFlags Flags(int code)
{
    FaultFlags flags;
    flags.unbalanced = code != 0;
    flags.phases = {(code & 1) != 0, (code & 2) != 0, (code & 4) != 0};
    return flags;
}

TEST(Locator, TheStretchIsTheFirstRunOfAPeriodWithOnePhaseSet)
{
    constexpr std::size_t kPeriod = 4;
    std::vector<FaultFlags> flags(30);
    for (std::size_t n = 6; n < 9; ++n)
        flags[n] = Flags(1);  // shorter than a period
    for (std::size_t n = 12; n < 22; ++n)
        flags[n] = Flags(n < 15 ? 3 : 1);
    const FaultStretch any = FindStretch(flags, kPeriod, kPeriod, false);
    EXPECT_TRUE(any.isRun);
    EXPECT_EQ(any.begin, 12u);
    EXPECT_EQ(any.end, 22u);
    const FaultStretch same = FindStretch(flags, kPeriod, kPeriod, true);
    EXPECT_EQ(same.begin, 15u);
    EXPECT_EQ(same.end, 22u);
    flags.assign(30, FaultFlags{});
    flags[20] = flags[21] = Flags(4);
    const FaultStretch none = FindStretch(flags, kPeriod, kPeriod, true);
    EXPECT_FALSE(none.isRun);
    EXPECT_EQ(none.begin, kPeriod);
    EXPECT_EQ(none.end, 30u);
}

TEST(Locator, IsolatedNeutralDetectorAsSpecifiedItsConstants)
{
    const double rated = 100.0;  // A
    const auto balanced = [](double rms) {
        return PhaseTriple{std::polar(rms, 0.0), std::polar(rms, -2.0944), std::polar(rms, 2.0944)};
    };
    const std::vector<PhaseTriple> currents{balanced(9.9), balanced(114.0), balanced(116.0),
                                            {Phasor(50.0), Phasor(-50.0), Phasor(1.0)},
                                            {Phasor(30.0), Phasor(-10.0, 5.0), Phasor(-20.0)}};
    const std::vector<FaultFlags> flags = DetectIsolatedNeutral(currents, 0, rated);
    EXPECT_FALSE(flags[0].Any());
    EXPECT_FALSE(flags[1].Any()) << "balanced below 1.15 In is load";
    EXPECT_TRUE(flags[2].threePhase);
    EXPECT_EQ(flags[2].Code(), 7);
    EXPECT_TRUE(flags[3].unbalanced);
    EXPECT_EQ(flags[3].Code(), 3) << "the phase with the smallest current stays unflagged";
    EXPECT_EQ(flags[4].Code(), 5);
}

TEST(Locator, ResultAndReportTexts)
{
    LocationResult result;
    result.algorithm = kTwoEnded;
    result.fault = true;
    result.onLine = true;
    result.phases = {false, true, false};
    result.distance = 0.35;
    result.section = 1;
    result.pole = 2;
    result.sectionDistance = 0.35;
    result.errorPercent = 1.234;
    EXPECT_EQ(ResultText(result), "    1-х фазное КЗ: фазы B на участке № 1, опоры 1 - 2.\n"
                                  "    Расстояние = 350.00 m.     Расстояние от нач. участка = 350.00 m.    "
                                  "Погрешность расчета = 1.23 %.");
    result.distance = 43.2;
    result.phases = {true, true, true};
    EXPECT_NE(ResultText(result).find("3-х фазное КЗ: фазы ABC на участке № 1, опоры 1 - 2.\n    Расстояние = 43.20 km."),
              std::string::npos);

    LineModel model = LocatorModel(StandardNetwork(0.0, true, true), kTwoEnded);
    Document document;
    document.oscillogram.recorderText = "РЕГ-1";
    document.oscillogram.stationText = "ПС";
    document.oscillogram.startText = "s";
    document.oscillogram.triggerText = "t";
    const std::string report = ReportText(result, model, document.oscillogram, "rec.cfg");
    const std::string head = "Brannik Zarva\n\nОсциллограмма: rec.cfg\nАлгоритм: ОМП двухстороннего замера\n\n"
                             "\nРегистратор: РЕГ-1\nСтанция: ПС\nНачало записи:  s\nМомент запуска: t\n\n"
                             "3-х фазное КЗ: фазы ABC на участке № 1, опоры 1 - 2.    Расстояние = 43.20 km.";
    EXPECT_EQ(report.substr(0, head.size()), head);
    const std::size_t first = report.find("Подстанция №1: ПС M\nНоминальный ток прямой последовательности, A: 1000\n"
                                          "Канал Ia:  IA1\nКанал Ib:  IB1\nКанал Ic:  IC1\nКанал Ua:  UA1\n");
    const std::size_t section = report.find("\nУчасток № 1: \n    Длина:               60\n    Число опор:          240\n");
    const std::size_t parallel = report.find("    Параллельная линия № 1: \n        Rm удельное(Ом/км): 0.15\n");
    const std::size_t tap = report.find("    Отпайка № 1: \n        R0 (Ом):     3\n        X0 (Ом):     45\n");
    const std::size_t second = report.find("Подстанция №2: ПС N\n");
    EXPECT_LT(first, section);
    EXPECT_LT(section, parallel);
    EXPECT_LT(parallel, tap);
    EXPECT_LT(tap, second);
    EXPECT_NE(second, std::string::npos);

    test::TempFolder folder;
    WriteReport(folder / "report.txt", "a\nб");
    EXPECT_EQ(test::FileBytes(folder / "report.txt"), "\xFF\xFE" + Utf8ToUtf16Le("a\r\nб"));
}

// A 50 Hz sine of RMS 100 at angle 30° (at the window's end) under an offset decaying with 40 ms.
TEST(Locator, OffsetCompensationTakesTheDecayOutOfThePhasor)
{
    Document document;
    Oscillogram& record = document.oscillogram;
    record.sampleRate = 1000;
    record.rateSegments = {{1000.0, 100}};
    Channel channel(ChannelKind::Analog, &document);
    for (int n = 0; n < 100; ++n) {
        const double t = n / 1000.0;
        channel.samples.Append(100.0 * std::sqrt(2.0) * std::sin(2.0 * std::numbers::pi * 50.0 * (t - 0.059) + 0.5236) +
                                  250.0 * std::exp(-t / 0.04));
    }
    record.channels.push_back(std::move(channel));
    const Channel& wave = record.channels.back();
    const Phasor truth = std::polar(100.0, 0.5236);
    const Phasor measured = FirstHarmonicPhasor(wave, 59);
    const Phasor compensated = OffsetCompensation(20)(measured, Value(wave, 59), Value(wave, 39));
    EXPECT_GT(std::abs(measured - truth), 5.0);
    EXPECT_LT(std::abs(compensated - truth), 0.1 * std::abs(measured - truth));
}

TEST(Locator, LinearSolverSolvesOrReportsASingularSystem)
{
    const std::vector<double> x = SolveLinearSystem({0.0, 2.0, 1.0, 1.0, 1.0, 1.0, 2.0, 0.0, 3.0}, {7.0, 6.0, 11.0});
    ASSERT_EQ(x.size(), 3u);
    EXPECT_NEAR(x[0], 1.0, 1e-12);
    EXPECT_NEAR(x[1], 2.0, 1e-12);
    EXPECT_NEAR(x[2], 3.0, 1e-12);
    try {
        SolveLinearSystem({1.0, 2.0, 2.0, 4.0}, {1.0, 2.0});
        ADD_FAILURE() << "a singular system was solved";
    } catch (const CZarvaException& error) {
        EXPECT_EQ(error.MessageId(), 3457);
    }
}

} // namespace
} // namespace zarva
