#include "settings_file.h"

#include <gtest/gtest.h>

#include <string>

#include "ini_test_support.h"

namespace orvane {
namespace {

TEST(StoredSettings, NoFileGivesTheDefaultsAndTheFirstSaveWritesThemInOrder) {
  const StoredSettings s = ReadStoredSettings(IniFile());
  EXPECT_EQ(s.West, "0");
  EXPECT_EQ(s.Ratio, 0);
  EXPECT_TRUE(s.IntFormat);
  EXPECT_FALSE(s.DoubleFormat);
  EXPECT_TRUE(s.ProjectionToSurface);
  EXPECT_TRUE(s.LineationData);
  EXPECT_TRUE(s.SenseData);
  EXPECT_TRUE(s.RemoveComment);
  EXPECT_EQ(s, StoredSettings());

  IniFile ini;
  WriteStoredSettings(ini, s);
  EXPECT_EQ(ini.Text(), WithNewFileEnds("[correction]\nwest=0\n"
                                        "[bedding dip correction]\nratio=0\n"
                                        "[OutputForm]\nint=1\ndouble=0\n"
                                        "[Options]\nprojection to the surface=1\n"
                                        "liniation data=1\nsense data=1\nremove comment=1\n"));

  const ConversionOptions options = ToConversionOptions(s);
  EXPECT_EQ(options.DeclinationText, "0");
  EXPECT_EQ(options.UntiltingText, "0");
  EXPECT_FALSE(options.OneDecimal);
  EXPECT_TRUE(options.SurfaceData && options.LineationData && options.SenseData &&
              options.ProjectionToSurface && options.RemoveComment);
}

TEST(StoredSettings, HandEditedFileIsReadCaseBlindAndBadValuesGiveDefaults) {
  const std::string before =
      "; my settings\r\n"
      "[CORRECTION]\r\n"
      "West = 5.5W\r\n"
      "[Bedding Dip Correction]\r\n"
      "RATIO=0x1E\r\n"
      "[outputform]\r\n"
      "INT=yes\r\n"
      "Double=0\r\n"
      "[options]\r\n"
      "Liniation Data=0\r\n"
      "Sense Data=\"0\"\r\n"
      "\r\n"
      "[Other]\r\n"
      "remove comment=0\r\n";
  IniFile ini = IniFile::FromText(before);
  StoredSettings s = ReadStoredSettings(ini);
  EXPECT_EQ(s.West, "5.5W");
  EXPECT_EQ(s.Ratio, 30);
  EXPECT_TRUE(s.IntFormat);  // "yes" does not convert
  EXPECT_FALSE(s.DoubleFormat);
  EXPECT_TRUE(s.ProjectionToSurface);
  EXPECT_FALSE(s.LineationData);
  EXPECT_FALSE(s.SenseData);
  EXPECT_TRUE(s.RemoveComment);  // the key in [Other] is not ours

  WriteStoredSettings(ini, s);
  EXPECT_EQ(ini.Text(),
            "; my settings\r\n"
            "[CORRECTION]\r\n"
            "West = 5.5W\r\n"
            "[Bedding Dip Correction]\r\n"
            "RATIO=30\r\n"
            "[outputform]\r\n"
            "INT=1\r\n"
            "Double=0\r\n"
            "[options]\r\n"
            "Liniation Data=0\r\n"
            "Sense Data=\"0\"\r\n"
            "projection to the surface=1\r\n"
            "remove comment=1\r\n"
            "\r\n"
            "[Other]\r\n"
            "remove comment=0\r\n");
}

TEST(StoredSettings, WrittenValuesReadBack) {
  StoredSettings s;
  s.West = "-3.5";
  s.Ratio = 250;  // stored as given; only the slider clamps it
  s.IntFormat = false;
  s.DoubleFormat = true;
  s.ProjectionToSurface = false;
  s.LineationData = true;
  s.SenseData = false;
  s.RemoveComment = false;
  IniFile ini = IniFile::FromText("[Options]\nsense data=1\n");
  WriteStoredSettings(ini, s);
  EXPECT_EQ(ReadStoredSettings(IniFile::FromText(ini.Text())), s);
}

TEST(StoredSettings, OptionsAreWhatTheControlsMakeOfTheValues) {
  struct Format {
    bool intFormat, doubleFormat, oneDecimal;
  };
  const Format formats[] = {
      {true, false, false}, {false, true, true}, {false, false, true}, {true, true, true}};
  for (const Format& f : formats) {
    StoredSettings s;
    s.IntFormat = f.intFormat;
    s.DoubleFormat = f.doubleFormat;
    EXPECT_EQ(ToConversionOptions(s).OneDecimal, f.oneDecimal)
        << "int=" << f.intFormat << " double=" << f.doubleFormat;
  }

  struct Ratio {
    std::int32_t stored;
    const char* text;
  };
  const Ratio ratios[] = {{0, "0"},     {40, "40"}, {100, "100"},           {101, "100"},
                          {250, "100"}, {-5, "0"},  {-2147483647 - 1, "0"}, {2147483647, "100"}};
  for (const Ratio& r : ratios) {
    StoredSettings s;
    s.Ratio = r.stored;
    EXPECT_EQ(ToConversionOptions(s).UntiltingText, r.text) << r.stored;
  }

  // Each switch from its own setting: two complementary patterns catch a swap.
  for (const bool first : {true, false}) {
    StoredSettings s;
    s.West = "5.5W";
    s.ProjectionToSurface = first;
    s.LineationData = !first;
    s.SenseData = first;
    s.RemoveComment = !first;
    const ConversionOptions o = ToConversionOptions(s);
    EXPECT_EQ(o.DeclinationText, "5.5W");
    EXPECT_EQ(o.ProjectionToSurface, first);
    EXPECT_EQ(o.LineationData, !first);
    EXPECT_EQ(o.SenseData, first);
    EXPECT_EQ(o.RemoveComment, !first);
    EXPECT_TRUE(o.SurfaceData);
  }
}

TEST(StoredSettings, TableCanBeUsedKeyByKey) {
  const IniFile ini = IniFile::FromText("[OutputForm]\nDOUBLE=1\n[options]\nremove comment=0\n");
  EXPECT_TRUE(ReadSettingBool(ini, SettingOf(&StoredSettings::DoubleFormat)));
  EXPECT_FALSE(ReadSettingBool(ini, SettingOf(&StoredSettings::RemoveComment)));
  EXPECT_TRUE(ReadSettingBool(ini, SettingOf(&StoredSettings::IntFormat)));
  EXPECT_EQ(ReadSettingText(ini, SettingOf(&StoredSettings::West)), "0");
  EXPECT_THROW(ReadSettingText(ini, SettingOf(&StoredSettings::Ratio)), std::logic_error);
  // The value-typed pair checks the type of the value.
  EXPECT_EQ(ReadSetting(ini, SettingOf(&StoredSettings::Ratio)), SettingValue(std::int32_t{0}));
  IniFile out;
  EXPECT_THROW(WriteSetting(out, SettingOf(&StoredSettings::Ratio), SettingValue(true)),
               std::logic_error);
  EXPECT_EQ(out.Text(), "");
}

TEST(StoredSettings, TextIsWrittenWithoutItsLineBreaks) {
  StoredSettings s;
  s.West = "5.5\r\n";  // pasted with its line end
  s.Ratio = 40;
  s.RemoveComment = false;
  IniFile ini;
  WriteStoredSettings(ini, s);
  EXPECT_EQ(ini.Text(), WithNewFileEnds("[correction]\nwest=5.5\n"
                                        "[bedding dip correction]\nratio=40\n"
                                        "[OutputForm]\nint=1\ndouble=0\n"
                                        "[Options]\nprojection to the surface=1\n"
                                        "liniation data=1\nsense data=1\nremove comment=0\n"));
  WriteSettingText(ini, SettingOf(&StoredSettings::West), "\n1\r2\n\n");
  EXPECT_EQ(ReadStoredSettings(ini).West, "12");
}

}  // namespace
}  // namespace orvane
