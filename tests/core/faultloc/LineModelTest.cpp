#include "core/faultloc/ModelValidation.h"
#include "core/formats/SettingsFile.h"
#include "core/faultloc/OmpFile.h"
#include "core/model/CodePage.h"
#include "core/storage/SettingsStore.h"
#include "core/storage/TextFile.h"
#include "support/RecordBuilder.h"
#include "support/SavedRecord.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace zarva {
namespace {

using namespace WrongPlaceLocatorData;

// Two sections on station 1; the first with two parallel lines and a tap.
LineModel SampleModel()
{
    LineModel model;
    model.type = kGroundedNeutral;
    Station& station = model.StationAt(0);
    station.SetValue("obj_name", "ПС Северная");
    station.SetValue("In", "600");
    station.SetValue("Ia", "IA");
    station.SetValue("Ua", "UA");
    Section& first = station.AddSectionAfter(nullptr);
    first.SetValue("lenght", "40");
    first.SetValue("r1", "0.12");
    first.SetValue("x1", "0.4");
    first.SetValue("r0", "0.3");
    first.SetValue("x0", "1.2");
    first.SetValue("comment", "АС-240 \"<&>\"");
    first.AddParallelLine().SetValue("I0", "3I0 Л2");
    first.AddParallelLine().SetValue("xm", "0.5");
    first.AddConnection().SetValue("x0", "30");
    Section& second = first.AddSectionAfter();
    second.SetValue("lenght", "25.5");
    model.StationAt(1).SetValue("Ia", "IA2");
    return model;
}

SettingsSection Saved(const LineModel& model)
{
    SettingsSection section;
    model.Save(section);
    return section;
}

TEST(LineModel, SavesVersionTwoWithChildrenNumberedAcrossParallelLinesAndTaps)
{
    SettingsSection section;
    section.SetString("stale", "x");
    SampleModel().Save(section);
    EXPECT_FALSE(section.Values().contains("stale"));
    EXPECT_EQ(section.GetString("ver"), "2");
    EXPECT_EQ(section.GetString("type"), "2");
    const SettingsSection& station = section.SubSections().at("Station1");
    EXPECT_EQ(station.GetString("In"), "600");
    EXPECT_EQ(station.GetString("obj_name"), "ПС Северная");
    EXPECT_EQ(station.GetString("Uab", "absent"), "");
    const SettingsSection& first = station.SubSections().at("Section1");
    EXPECT_EQ(first.GetString("lenght"), "40");
    EXPECT_EQ(first.GetString("sup_number"), "1");
    EXPECT_EQ(first.SubSections().at("child1").GetString("type"), "parLine");
    EXPECT_EQ(first.SubSections().at("child1").GetString("I0"), "3I0 Л2");
    EXPECT_EQ(first.SubSections().at("child2").GetString("xm"), "0.5");
    EXPECT_EQ(first.SubSections().at("child3").GetString("type"), "connection");
    EXPECT_EQ(first.SubSections().at("child3").GetString("x0"), "30");
    EXPECT_EQ(station.SubSections().at("Section2").GetString("lenght"), "25.5");
    EXPECT_EQ(section.SubSections().at("Station2").GetString("Ia"), "IA2");
}

TEST(LineModel, OmpFileRoundTripsAsUtf16AndCopiesAreDeep)
{
    test::TempFolder folder;
    const LineModel model = SampleModel();
    SaveOmpFile(model, folder / "line.omp");
    const std::string bytes = test::FileBytes(folder / "line.omp");
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_NE(Utf16LeToUtf8(bytes.substr(2)).find("name=\"omp\""), std::string::npos);

    LineModel read;
    ASSERT_TRUE(LoadOmpFile(read, folder / "line.omp"));
    EXPECT_EQ(Saved(read), Saved(model));
    EXPECT_EQ(read.StationAt(0).SectionAt(0).ParallelLines().size(), 2u);

    LineModel copy = read;
    copy.StationAt(0).SectionAt(0).Remove();
    EXPECT_EQ(read.StationAt(0).SectionCount(), 2u);
    EXPECT_EQ(copy.StationAt(0).SectionCount(), 1u);
    EXPECT_EQ(copy.StationAt(0).SectionAt(0).Value("lenght"), "25.5");
}

TEST(LineModel, OmpFilesInOtherEncodingsAndBrokenOnes)
{
    test::TempFolder folder;
    const std::string xml = "<settings><category name=\"omp\" ver=\"2\" type=\"4\">"
                            "<category name=\"Station1\" obj_name=\"Южная\" In=\"300\"/></category></settings>";
    LineModel model;
    ASSERT_TRUE(LoadOmpFile(model, folder.Write("utf8.omp", xml)));
    EXPECT_EQ(model.StationAt(0).Value("obj_name"), "Южная");
    EXPECT_EQ(model.type, kTwoEnded);
    ASSERT_TRUE(LoadOmpFile(model, folder.Write("cp1251.omp", FromUtf8(xml, CodePage::Windows1251))));
    EXPECT_EQ(model.StationAt(0).Value("obj_name"), "Южная");
    EXPECT_EQ(model.StationAt(1).Value("In"), "0");

    const SettingsSection before = Saved(model);
    EXPECT_FALSE(LoadOmpFile(model, folder.Write("junk.omp", "<settings><category")));
    EXPECT_EQ(Saved(model), before);
    EXPECT_THROW(LoadOmpFile(model, folder / "missing.omp"), FileException);

    ASSERT_TRUE(LoadOmpFile(model, folder.Write("other.omp", "<settings><category name=\"View\" a=\"1\"/></settings>")));
    EXPECT_EQ(model.type, kIsolatedNeutral);
    EXPECT_TRUE(model.IsDefault());
}

TEST(LineModel, LoadsVersionOneAndMissingKeysOfVersionTwo)
{
    SettingsSection old;
    old.SetString("SectionsNum", "1000000");
    old.SetString("I1n", "400");
    old.SetString("Ubc", "UBC");
    old.SetString("Section1", "2.5,0.12,0.4,10,опоры 1, 2");
    old.SetString("Section2", "3");
    LineModel model = SampleModel();
    model.Load(old);
    EXPECT_EQ(model.type, kIsolatedNeutral);
    const Station& station = model.StationAt(0);
    EXPECT_EQ(station.Value("In"), "400");
    EXPECT_EQ(station.Value("Ubc"), "UBC");
    EXPECT_EQ(station.Value("Ia"), "");
    ASSERT_EQ(station.SectionCount(), 2u);
    const Section& first = station.SectionAt(0);
    EXPECT_DOUBLE_EQ(first.Number("Длина участка"), 2.5);
    EXPECT_DOUBLE_EQ(first.Number("r1"), 0.12);
    EXPECT_DOUBLE_EQ(first.Number("x1"), 0.4);
    EXPECT_DOUBLE_EQ(first.Number("x"), 0.4) << "what the isolated-neutral algorithm reads";
    EXPECT_EQ(Validate(model)->MessageId(), 3535) << "the first section passes, the second has no poles";
    EXPECT_EQ(first.Value("sup_number"), "10");
    EXPECT_EQ(first.Value("comment"), "опоры 1, 2");
    EXPECT_EQ(station.SectionAt(1).Value("lenght"), "3");
    EXPECT_EQ(station.SectionAt(1).Value("x1"), "");
    EXPECT_EQ(model.StationAt(1).Value("Ia"), "");

    SettingsSection sparse;
    sparse.SetString("ver", "2");
    SettingsSection& line = sparse.SubSection("Station1").SubSection("Section1");
    line.SubSection("child1").SetString("type", "parLine");
    line.SubSection("odd");
    model.Load(sparse);
    EXPECT_EQ(model.type, kIsolatedNeutral);
    EXPECT_EQ(model.StationAt(0).Value("In"), "0");
    const Section& read = model.StationAt(0).SectionAt(0);
    EXPECT_EQ(read.Value("lenght"), "");
    ASSERT_EQ(read.ParallelLines().size(), 1u);
    EXPECT_EQ(read.ParallelLines()[0]->Value("rm"), "0");
    EXPECT_EQ(read.ParallelLines()[0]->Value("I0"), "");
    ASSERT_EQ(read.Connections().size(), 1u);  // "child2" is missing: a tap of zeros
    EXPECT_EQ(read.Connections()[0]->Value("x0"), "0");
}

TEST(LineModel, HostileCountsAreCapped)
{
    SettingsSection huge;
    huge.SetString("ver", "2");
    SettingsSection& station = huge.SubSection("Station1");
    for (int n = 1; n <= 1500; ++n)
        station.SubSection("Section" + std::to_string(n));
    for (int m = 1; m <= 150; ++m)
        station.SubSection("Section1").SubSection("child" + std::to_string(m));
    LineModel model;
    model.Load(huge);
    EXPECT_EQ(model.StationAt(0).SectionCount(), LineModel::kMaxSections);
    EXPECT_EQ(model.StationAt(0).SectionAt(0).Connections().size(), LineModel::kMaxChildren);
}

TEST(LineModel, ElementsMoveAndRemoveWithinTheirParentsList)
{
    LineModel model = SampleModel();
    Station& station = model.StationAt(0);
    Section& first = station.SectionAt(0);
    EXPECT_FALSE(first.MoveUp());
    EXPECT_TRUE(first.MoveDown());
    EXPECT_EQ(station.SectionAt(1).Value("lenght"), "40");
    Section& middle = station.SectionAt(0).AddSectionAfter();
    EXPECT_EQ(&station.SectionAt(1), &middle);
    EXPECT_EQ(middle.Value("Число опор"), "1");

    Section& loaded = station.SectionAt(2);
    EXPECT_TRUE(loaded.ParallelLines()[1]->MoveUp());
    EXPECT_EQ(loaded.ParallelLines()[0]->Value("xm"), "0.5");
    EXPECT_FALSE(loaded.Connections()[0]->MoveUp());
    loaded.Connections()[0]->Remove();
    EXPECT_TRUE(loaded.Connections().empty());
    station.Remove();
    EXPECT_FALSE(station.MoveDown());
    EXPECT_EQ(station.SectionCount(), 3u);

    middle.SetValue("lenght", "1,25");
    EXPECT_DOUBLE_EQ(middle.Number("lenght"), 1.25);
    middle.SetValue("no such key", "5");
    EXPECT_EQ(middle.Value("no such key"), "");
    EXPECT_EQ(middle.Number("x1"), 0.0);
}

TEST(LineModel, TravelsInTheRecordSettingsFile)
{
    test::TempFolder folder;
    const auto cfg = test::RecordBuilder().Analog({.id = "Ia", .unit = "A"}).Ramp(40).Write(folder, "r");
    auto plain = test::ReadRecord(cfg);
    WriteSettings(*plain, folder / "r.set");
    EXPECT_FALSE(plain->settings.Sections().contains(kLocatorSettingsSection));

    folder.Write("r.set", "[WrongPlaceFinding]\nSectionsNum=1\nSection1=12,0.1,0.4,30,\nIa=Ia\n");
    auto document = test::ReadRecord(cfg);
    ASSERT_EQ(document->lineModel.StationAt(0).SectionCount(), 1u);
    EXPECT_EQ(document->lineModel.StationAt(0).Value("Ia"), "Ia");
    document->lineModel = SampleModel();
    WriteSettings(*document, folder / "r.set");
    EXPECT_EQ(Saved(test::ReadRecord(cfg)->lineModel), Saved(SampleModel()));
}

std::string ValidationText(const LineModel& model)
{
    const auto error = Validate(model);
    return error ? error->what() : "";
}

TEST(LineModel, ValidationReportsTheFirstFailingCheck)
{
    LineModel model = SampleModel();
    Section& first = model.StationAt(0).SectionAt(0);
    Section& second = model.StationAt(0).SectionAt(1);
    EXPECT_EQ(ValidationText(model), "Rm и Xm не могут одновременно быть равны нулю");
    first.ParallelLines()[0]->SetValue("xm", "0.5");
    EXPECT_EQ(ValidationText(model), "R1 и X1 не могут одновременно быть равны нулю");
    second.SetValue("x1", "0.4");
    EXPECT_EQ(ValidationText(model), "R0 и X0 не могут одновременно быть равны нулю");
    second.SetValue("x0", "1.2");
    EXPECT_EQ(ValidationText(model), "");

    model.type = kIsolatedNeutral;
    EXPECT_EQ(ValidationText(model), "R и X удельные не могут одновременно быть равны нулю");
    first.SetValue("x", "0.4");
    second.SetValue("x", "0.4");
    EXPECT_EQ(ValidationText(model), "");
    first.SetValue("sup_number", "0");
    EXPECT_EQ(ValidationText(model), "Число опор не может быть равна нулю");
    first.SetValue("lenght", "");
    EXPECT_EQ(ValidationText(model), "Длина участка не может быть равна нулю");
    first.SetValue("lenght", "-5");
    EXPECT_EQ(ValidationText(model), "Недопустимое значение параметра ОМП - Участок 1: Длина участка = -5");

    model.type = kTwoEnded;
    first.SetValue("lenght", "40");
    first.SetValue("sup_number", "2.5e9");
    EXPECT_EQ(ValidationText(model), "Недопустимое значение параметра ОМП - Участок 1: Число опор = 2.5e9");
    first.SetValue("sup_number", "100");
    first.Connections()[0]->SetValue("x0", "0");
    EXPECT_EQ(ValidationText(model), "R0 и X0 не могут одновременно быть равны нулю");
    first.ParallelLines()[0]->SetValue("rm", "nan");
    EXPECT_EQ(ValidationText(model), "Недопустимое значение параметра ОМП - Участок 1: Rm удельное(Ом/км) = nan");
}

} // namespace
} // namespace zarva
