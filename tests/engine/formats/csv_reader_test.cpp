// Spreadsheets with a header row: column names, delimiters, quoting, senses,
// comments, and rows that cannot be translated.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format_readers.h"
#include "reader_test_support.h"

namespace orvane {
namespace {

using Lines = std::vector<std::string>;

Lines Read(std::string_view text, ReaderOptions options = {}) {
  return ReadCsvTable(text, options).lines;
}

// Each header names the same record in other words: the line the engine gets.
TEST(CsvReader, ColumnNamesAndDelimiters) {
  struct Case {
    const char* csv;
    const char* line;
  };
  const Case cases[] = {
      {"dip_direction,dip,trend,plunge,sense\n120,30,45,20,N", "120 30 45 20 N"},
      {"Dip Direction;Dip;Trend;Plunge;Sense\n120;30;45;20;n", "120 30 45 20 N"},
      {"DipDir\tDIP\tazimuth\tplunge\tmovement\n120\t30\t45\t20\tdextral", "120 30 45 20 D"},
      {"dd,dip,trend,plunge,type\n120,30,45,20,thrust", "120 30 45 20 R"},
      {"fault_or_sz_type,Dip-Dir,Dip,Trend,Plunge\nsinistral,120,30,45,20", "120 30 45 20 S"},
      // APSG's names: +1 normal, -1 reverse
      {"fazi,finc,lazi,linc,sense\n120,30,45,20,1", "120 30 45 20 N"},
      {"fazi,finc,lazi,linc,sense\n120,30,45,20,-1", "120 30 45 20 R"},
      // strike: right-hand rule, or the side named by a quadrant letter
      {"strike,dip,trend,plunge,sense\n30,40,45,20,N", "120 40 45 20 N"},
      {"strike,dip,dip_direction,trend,plunge,sense\n30,40,SE,45,20,N", "120 40 45 20 N"},
      {"strike,dip,dip_direction,trend,plunge,sense\n210,40,SE,45,20,N", "120 40 45 20 N"},
      {"strike,dip,dipdir,trend,plunge,sense\n30,40,W,45,20,N", "300 40 45 20 N"},
      {"Strike,Dip,Dip Quadrant,trend,plunge,sense\n350,40,e,45,20,N", "80 40 45 20 N"},
      {"strike,dip,dip_direction,trend,plunge,sense\n30,40,120,45,20,N", "120 40 45 20 N"},
      // rake from the strike end named, or from the right-hand-rule end
      {"dip_direction,dip,rake,rake_end,sense\n120,40,30,N,N", "120 40 R30N N"},
      {"dip_direction,dip,pitch,direction,sense\n120,40,30,SW,N", "120 40 R30S N"},
      {"dip_direction,dip,rake,Rake Direction,sense\n120,40,30,,N", "120 40 R30N N"},
      // numbers as spreadsheets write them
      {"dip_direction;dip;trend;plunge;sense\n120,5;30;45;+20;N", "120.5 30 45 20 N"},
      {"dip_direction,dip,trend,plunge,sense\n 120 , 30.0 ,45,2e1,N", "120 30 45 20 N"},
  };
  for (const Case& c : cases) {
    const Lines lines = Read(c.csv);
    ASSERT_EQ(lines.size(), 2u) << c.csv;
    EXPECT_EQ(lines[1], c.line) << c.csv;
  }
}

// The lines translated from quadrants and rakes stand for the geometry meant, as
// computed here without the engine.
TEST(CsvReader, QuadrantsAndRakesGiveTheIntendedGeometry) {
  const Lines lines = Read(
      "strike,dip,dip_direction,rake,rake_end,sense\n"
      "30,40,SE,30,NE,N\n"   // rake 30 from the north-east end, 30
      "210,40,S,30,SW,N\n"   // the same plane, rake from the south-west end, 210
      "350,70,W,60,N,N\n");  // plane 260/70, rake 60 from the end 350
  struct Expect {
    double dd, dip, rake, end;
  };
  const Expect expected[] = {{120, 40, 30, 30}, {120, 40, 30, 210}, {260, 70, 60, 350}};
  for (int i = 0; i < 3; ++i) {
    const auto c = testing::Convert(lines[static_cast<std::size_t>(i) + 1]);
    ASSERT_TRUE(c.ok) << lines[static_cast<std::size_t>(i) + 1] << ": " << c.error;
    double trend, plunge;
    testing::RakeDirection(expected[i].dd, expected[i].dip, expected[i].rake, expected[i].end,
                           trend, plunge);
    EXPECT_NEAR(c.dipDirection, expected[i].dd, 1e-9);
    EXPECT_NEAR(c.dip, expected[i].dip, 1e-9);
    EXPECT_NEAR(testing::AzimuthGap(c.trend, trend), 0, 1e-9) << lines[i + 1];
    EXPECT_NEAR(c.plunge, plunge, 1e-9) << lines[i + 1];
  }
}

TEST(CsvReader, SenseWordsAndCodes) {
  const auto sense = [](const char* cell, ReaderOptions options = {}) {
    const Lines lines =
        Read(std::string("dip_direction,dip,trend,plunge,sense\n120,30,45,20,") + cell, options);
    return lines.at(1);
  };
  EXPECT_EQ(sense("Normal"), "120 30 45 20 N");
  EXPECT_EQ(sense("REVERSE"), "120 30 45 20 R");
  EXPECT_EQ(sense("inverse"), "120 30 45 20 R");
  EXPECT_EQ(sense("right_lateral"), "120 30 45 20 D");
  EXPECT_EQ(sense("left_lateral"), "120 30 45 20 S");
  EXPECT_EQ(sense("s"), "120 30 45 20 S");
  EXPECT_EQ(sense(""), "120 30 45 20");  // no sense known: the engine says so
  EXPECT_EQ(sense("unknown"), "120 30 45 20");
  EXPECT_EQ(sense("wobbly"), "120 30 45 20 ? # 120,30,45,20,wobbly");

  ReaderOptions tectonicsFp;
  tectonicsFp.senseCodes = SenseCodes::TectonicsFp;
  EXPECT_EQ(sense("1", tectonicsFp), "120 30 45 20 R");
  EXPECT_EQ(sense("2", tectonicsFp), "120 30 45 20 N");
  EXPECT_EQ(sense("3", tectonicsFp), "120 30 45 20 D");
  EXPECT_EQ(sense("4", tectonicsFp), "120 30 45 20 S");
  EXPECT_EQ(sense("0", tectonicsFp), "120 30 45 20");
  EXPECT_EQ(sense("5", tectonicsFp), "120 30 45 20");
  ReaderOptions apsg;
  apsg.senseCodes = SenseCodes::Apsg;
  EXPECT_EQ(sense("1", apsg), "120 30 45 20 N");
  EXPECT_EQ(sense("-1", apsg), "120 30 45 20 R");
  EXPECT_EQ(sense("+1", apsg), "120 30 45 20 N");

  // Numbers under other names: which program's? The reader stops and says.
  try {
    Read(
        "# from the field\ndip_direction,dip,trend,plunge,Sense\n120,30,45,20,N\n"
        "120,30,45,20,2\n");
    FAIL() << "numeric senses were read without a convention";
  } catch (const ReaderStopped& e) {
    EXPECT_EQ(e.Line(), 4);
    EXPECT_TRUE(e.NeedsSenseCodes());
    EXPECT_EQ(std::string(e.what()),
              "column \"Sense\" gives the sense as numbers, whose meaning differs between "
              "programs: choose apsg (1 normal, -1 reverse) or tectonicsfp (1 reverse, 2 "
              "normal, 3 dextral, 4 sinistral)");
  }

  // The first sense column that names a sense wins; oblique types go by the rake.
  const Lines more = Read(
      "dip_direction,dip,trend,plunge,movement,fault_or_sz_type\n"
      "120,40,30,0,,dextral_reverse\n"    // along the strike: dextral
      "120,40,120,40,,dextral_reverse\n"  // down the dip: reverse
      "120,40,120,40,left_lateral,normal\n");
  EXPECT_EQ(more[1], "120 40 30 0 D");
  EXPECT_EQ(more[2], "120 40 120 40 R");
  EXPECT_EQ(more[3], "120 40 120 40 S");
}

TEST(CsvReader, QuotingCommentsAndLineCounts) {
  const std::string csv =
      "# exported from the field sheet\n"
      "\n"
      "id,station,dip_direction,dip,trend,plunge,sense,notes,comment\n"
      "7,A,120,30,45,20,N,\"quarry, north wall\",\"said \"\"steep\"\"\"\n"
      "\"8\",\"B\",\"210\",\"65\",\"215\",\"60\",\"R\",\"two\nlines\",\n"
      "# a comment between rows\n"
      ",,,,,,,,\n"
      "9,C,120,30,45,20,N,\"never closed\n"
      "10,D,121,31,46,21,S,,\n";
  const TranslatedBook book = ReadCsvTable(csv, {});
  const Lines expected = {
      "# exported from the field sheet",
      "",
      "# id,station,dip_direction,dip,trend,plunge,sense,notes,comment",
      "120 30 45 20 N # said \"steep\"; quarry, north wall; id 7; station A",
      "210 65 215 60 R # two lines; id 8; station B",
      "# a comment between rows",
      "",
      "? ? # 9,C,120,30,45,20,N,\"never closed",
      "121 31 46 21 S # id 10; station D",
  };
  EXPECT_EQ(book.lines, expected);
  EXPECT_EQ(book.sourceLines, (std::vector<long>{1, 2, 3, 4, 5, 7, 8, 9, 10}));
  EXPECT_EQ(book.records, 4);
  const auto unreadable = testing::Convert(book.lines[7]);
  EXPECT_EQ(unreadable.error, "error in surface data");
}

TEST(CsvReader, MissingAndBadCells) {
  const Lines lines = Read(
      "dip_direction,dip,trend,plunge,sense,id\n"
      "120,30,,20,N,1\n"    // no trend
      "120,,45,20,N,2\n"    // no dip
      "120,30,45,20\n"      // the row ends early: no sense
      "abc,30,45,20,N,4\n"  // no number
      "120,30,45,20,N,5,extra\n"
      "strike,dip\n");  // not a second header: a row of text
  EXPECT_EQ(lines[1], "120 30 ? N # 120,30,,20,N,1");
  EXPECT_EQ(lines[2], "? 45 20 N # 120,,45,20,N,2");
  EXPECT_EQ(lines[3], "120 30 45 20");
  EXPECT_EQ(lines[4], "? 45 20 N # abc,30,45,20,N,4");
  EXPECT_EQ(lines[5], "120 30 45 20 N # id 5");
  EXPECT_EQ(lines[6], "? ? # strike,dip");
  EXPECT_EQ(testing::Convert(lines[1]).error, "error in liniation data");
  EXPECT_EQ(testing::Convert(lines[3]).error, "error in character data");

  // A quadrant along the strike and a rake end down the dip name no side.
  const Lines sides = Read(
      "strike,dip,dip_quadrant,rake,rake_end,sense\n"
      "0,40,N,30,N,N\n"
      "0,40,E,30,E,N\n");
  EXPECT_EQ(sides[1], "? ? N # 0,40,N,30,N,N");
  EXPECT_EQ(sides[2], "90 40 ? N # 0,40,E,30,E,N");
}

TEST(CsvReader, FieldsTheRunDoesNotRead) {
  ReaderOptions options;
  options.surface = false;
  options.sense = false;
  const Lines lines = Read(
      "dip_direction,dip,trend,plunge,rake,sense\n120,30,45,20,,N\n120,40,,,90,wobbly\n", options);
  EXPECT_EQ(lines[1], "45 20");
  // The rake's direction, down the dip, as trend and plunge.
  const auto c = testing::Convert("0 0 " + lines[2] + " N");
  ASSERT_TRUE(c.ok) << lines[2];
  EXPECT_NEAR(c.trend, 120, 1e-9);
  EXPECT_NEAR(c.plunge, 40, 1e-9);
}

TEST(CsvReader, HeaderRowIsNeeded) {
  EXPECT_TRUE(StartsWithCsvHeader("dip_direction,dip,trend,plunge\n"));
  EXPECT_TRUE(StartsWithCsvHeader("\xEF\xBB\xBF# note\r\n\r\nTrend;Plunge\r\n1;2"));
  EXPECT_TRUE(StartsWithCsvHeader("strike\tdip\n"));
  EXPECT_TRUE(StartsWithCsvHeader("\"Dip Direction\",\"Dip\"\n"));
  EXPECT_FALSE(StartsWithCsvHeader("120,30,45,20,N\n"));
  EXPECT_FALSE(StartsWithCsvHeader("# dip_direction,dip\n120 30 45 20 N\n"));
  EXPECT_FALSE(StartsWithCsvHeader("dip,sense\n"));  // neither a plane nor a lineation
  EXPECT_FALSE(StartsWithCsvHeader(""));
  try {
    Read("# only a comment\n120,30,45,20,N\n");
    FAIL();
  } catch (const ReaderStopped& e) {
    EXPECT_EQ(e.Line(), 2);
    EXPECT_STREQ(e.what(),
                 "no header row naming the columns: a spreadsheet needs one, such as "
                 "\"dip_direction,dip,trend,plunge,sense\"");
  }
}

TEST(InputFormats, ChosenByExtensionAndHeader) {
  EXPECT_EQ(InputFormatOfFile("a/site.json", "").name, "strabospot");
  EXPECT_EQ(InputFormatOfFile("site.FPL", "").name, "fpl");
  EXPECT_EQ(InputFormatOfFile("site.cor", "").name, "fpl");
  EXPECT_EQ(InputFormatOfFile("site.rgf", "").name, "rgf");
  EXPECT_EQ(InputFormatOfFile("site.csv", "dd,dip,trend,plunge\n").name, "csv");
  EXPECT_EQ(InputFormatOfFile("site.txt", "dd,dip,trend,plunge\n").name, "csv");
  EXPECT_EQ(InputFormatOfFile("site.csv", "120,30,45,20,N\n").name, "text");
  EXPECT_EQ(InputFormatOfFile("site.fdt", "dd,dip,trend,plunge\n").name, "text");
  EXPECT_EQ(InputFormatOfFile("csv.d/site", "dd,dip,trend,plunge\n").name, "text");
  EXPECT_EQ(InputFormatNames(), "text, csv, strabospot, fpl, rgf");
  EXPECT_EQ(FindInputFormat("rgf")->read, &ReadSg2psFile);
  EXPECT_EQ(FindInputFormat("text")->read, nullptr);
  EXPECT_EQ(FindInputFormat("xls"), nullptr);
}

}  // namespace
}  // namespace orvane
