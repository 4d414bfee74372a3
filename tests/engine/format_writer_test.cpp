// The writers of the analysis programs' formats: the exact bytes of each, the
// comment rule, what they refuse, and every file read back by a reader of its own.
#include "format_writer.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "batch_run.h"
#include "file_formats.h"
#include "numbers.h"

namespace orvane {
namespace {

// Output lines of one run, integer form, lineation and sense on.
const std::vector<std::string> kRun = {
    " 120 30  45 20 N # site 1, quarry wall",         // 1
    "# error in liniation data [35 50 N  # site 6]",  // 2
    "# copied comment",                               // 3
    "",                                               // 4
    "  # indented note",                              // 5
    " 208 65 214 65 R ",                              // 6
    " 116 32  93 30 D #",                             // 7: an empty comment
    "   7  5 300  1 S # say \"hi\"\tthen go",         // 8
};

std::string Write(std::string_view name, const std::vector<std::string>& lines,
                  bool removeComment = true, std::string location = "quarry") {
  WriteOptions options;
  options.run.RemoveComment = removeComment;
  options.location = std::move(location);
  return FormatFileBytes(*FindFileFormat(name)->writer, lines, options, TextEncoding::Utf8);
}

TEST(FormatWriter, CsvRowsHoldTheLineNumbersAndQuoteOnlyWhereNeeded) {
  const std::string expected =
      "dip_direction,dip,trend,plunge,sense,comment,line\r\n"
      "120,30,45,20,N,\"site 1, quarry wall\",1\r\n"
      "208,65,214,65,R,,6\r\n"
      "116,32,93,30,D,,7\r\n"
      "7,5,300,1,S,\"say \"\"hi\"\"\tthen go\",8\r\n";
  EXPECT_EQ(Write("csv", kRun, true), expected);
  EXPECT_EQ(Write("csv", kRun, false), expected);  // no comment rows either way
  EXPECT_EQ(Write("csv", {" 1 2 3 4 N # a\rb", " 1 2 3 4 N # plain 'text' ; here"}),
            "dip_direction,dip,trend,plunge,sense,comment,line\r\n"
            "1,2,3,4,N,\"a\rb\",1\r\n"
            "1,2,3,4,N,plain 'text' ; here,2\r\n");
}

TEST(FormatWriter, TectonicsFpCodesAndCommentLines) {
  EXPECT_EQ(Write("fpl", kRun, true),
            "2,120,30,45,20,site 1, quarry wall\r\n"
            "; indented note\r\n"
            "1,208,65,214,65\r\n"
            "3,116,32,93,30\r\n"
            "4,7,5,300,1,say \"hi\"\tthen go\r\n");
  EXPECT_EQ(Write("fpl", kRun, false),
            "2,120,30,45,20,site 1, quarry wall\r\n"
            "; error in liniation data [35 50 N  # site 6]\r\n"
            "; copied comment\r\n"
            "; indented note\r\n"
            "1,208,65,214,65\r\n"
            "3,116,32,93,30\r\n"
            "4,7,5,300,1,say \"hi\"\tthen go\r\n");
  // A line break inside a comment does not start a line.
  EXPECT_EQ(Write("fpl", {" 1 2 3 4 N # a\rb", "#x\ny"}, false), "2,1,2,3,4,a b\r\n;x y\r\n");
}

TEST(FormatWriter, Sg2psRowsHaveOneDecimalAndATabAfterEveryCell) {
  const std::string header =
      "DATA_ID\tDEPTH\tGROUP_CODE\tCOLOR_CODE\tLOCATION\tLOC_X\tLOC_Y\tFORMATION\tDATATYPE\t"
      "DIP_DIR\tDIP\tL_DIP_DIR\tL_DIP\tSENSE\tPALEONORTH\tCOMMENT\t\r\n";
  const std::string expected =
      header +
      "L1\t\t\t\tquarry\t0.000000\t0.000000\t\tSTRIAE\t120.0\t30.0\t45.0\t20.0\tNORMAL\t\t"
      "site 1, quarry wall\t\r\n"
      "L6\t\t\t\tquarry\t0.000000\t0.000000\t\tSTRIAE\t208.0\t65.0\t214.0\t65.0\tINVERSE\t\t\t\r\n"
      "L7\t\t\t\tquarry\t0.000000\t0.000000\t\tSTRIAE\t116.0\t32.0\t93.0\t30.0\tDEXTRAL\t\t\t\r\n"
      "L8\t\t\t\tquarry\t0.000000\t0.000000\t\tSTRIAE\t7.0\t5.0\t300.0\t1.0\tSINISTRAL\t\t"
      "say \"hi\" then go\t\r\n";
  EXPECT_EQ(Write("rgf", kRun, true), expected);
  EXPECT_EQ(Write("rgf", kRun, false), expected);
  // A tab in the location would shift the columns too.
  EXPECT_EQ(
      Write("rgf", {" 1 2 3 4 N "}, true, "a\tb"),
      header + "L1\t\t\t\ta b\t0.000000\t0.000000\t\tSTRIAE\t1.0\t2.0\t3.0\t4.0\tNORMAL\t\t\t\r\n");
}

TEST(FormatWriter, OneDecimalFormAndLinesWithoutSenseOrLineation) {
  // One-decimal form: the numbers as the output line writes them; SG2PS gets one
  // decimal everywhere.
  const std::vector<std::string> decimal = {" 45.4 7.3 123 5 N # site 3", " 359.9 0 10.5 0.1 S "};
  EXPECT_EQ(Write("csv", decimal),
            "dip_direction,dip,trend,plunge,sense,comment,line\r\n"
            "45.4,7.3,123,5,N,site 3,1\r\n"
            "359.9,0,10.5,0.1,S,,2\r\n");
  EXPECT_EQ(Write("fpl", decimal), "2,45.4,7.3,123,5,site 3\r\n4,359.9,0,10.5,0.1\r\n");
  // An angle too large to compute with comes out as "nan", and is copied as it is.
  EXPECT_EQ(Write("fpl", {" 120 30 -nan -nan N "}), "2,120,30,-nan,-nan\r\n");
  const std::string rgf = Write("rgf", decimal);
  EXPECT_NE(rgf.find("\tSTRIAE\t45.4\t7.3\t123.0\t5.0\tNORMAL\t\tsite 3\t\r\n"), std::string::npos)
      << rgf;
  EXPECT_NE(rgf.find("\tSTRIAE\t359.9\t0.0\t10.5\t0.1\tSINISTRAL\t\t\t\r\n"), std::string::npos)
      << rgf;

  // Sense off: code 0, empty cells.
  const std::vector<std::string> noSense = {" 120 30  45 20 # c", " 120 30  45 20 "};
  EXPECT_EQ(Write("csv", noSense),
            "dip_direction,dip,trend,plunge,sense,comment,line\r\n"
            "120,30,45,20,,c,1\r\n"
            "120,30,45,20,,,2\r\n");
  EXPECT_EQ(Write("fpl", noSense), "0,120,30,45,20,c\r\n0,120,30,45,20\r\n");
  EXPECT_NE(Write("rgf", noSense).find("\tSTRIAE\t120.0\t30.0\t45.0\t20.0\t\t\tc\t\r\n"),
            std::string::npos);

  // Lineation off: empty lineation cells.
  const std::vector<std::string> noLineation = {" 120 30 N # c", " 120 30 "};
  EXPECT_EQ(Write("csv", noLineation),
            "dip_direction,dip,trend,plunge,sense,comment,line\r\n"
            "120,30,,,N,c,1\r\n"
            "120,30,,,,,2\r\n");
  const std::string rgfPlanes = Write("rgf", noLineation);
  EXPECT_NE(rgfPlanes.find("L1\t\t\t\tquarry\t0.000000\t0.000000\t\tSTRIAE\t120.0\t30.0\t\t\tNORMAL"
                           "\t\tc\t\r\n"),
            std::string::npos);
  EXPECT_NE(rgfPlanes.find("\tSTRIAE\t120.0\t30.0\t\t\t\t\t\t\r\n"), std::string::npos);
}

TEST(FormatWriter, Sg2psNumbersRoundToOneDecimal) {
  const struct {
    const char* number;
    const char* written;
  } rows[] = {
      {"0", "0.0"},
      {"7", "7.0"},
      {"45.4", "45.4"},
      {"0.1", "0.1"},
      {"-5", "-5.0"},
      {"-0.4", "-0.4"},
      {"359.96", "360.0"},
      {"0.05", "0.1"},
      {"-0.04", "0.0"},
      {"12.25", "12.3"},
      {"1e-05", "0.0"},
      {"-1e+20", "-100000000000000000000.0"},
      {"123456789012345", "123456789012345.0"},
      {"-nan", "-nan"},
      {"inf", "inf"},
  };
  for (const auto& r : rows) {
    const std::string line = std::string(" 1 2 ") + r.number + " 4 N ";
    const std::string file = Write("rgf", {line});
    const std::string cell = std::string("\t1.0\t2.0\t") + r.written + "\t4.0\t";
    EXPECT_NE(file.find(cell), std::string::npos) << r.number << " gave " << file;
  }
}

TEST(FormatWriter, FaultDataFileIsWhatSaveWrites) {
  const std::vector<std::string> lines = {
      kRun[0], kRun[1], kRun[4], "", "hand-edited text", " caf\xC3\xA9 \xCE\xA9"};
  const FormatWriter& fdt = *FindFileFormat("fdt")->writer;
  for (const bool removeComment : {true, false}) {
    WriteOptions options;
    options.run.RemoveComment = removeComment;
    for (const auto encoding :
         {TextEncoding::Utf8, TextEncoding::Utf8WithByteOrderMark, TextEncoding::Windows1252}) {
      EXPECT_EQ(FormatFileBytes(fdt, lines, options, encoding),
                FaultFileBytes(lines, removeComment, encoding));
    }
  }
}

TEST(FormatWriter, EncodingAndByteOrderMark) {
  const std::vector<std::string> lines = {" 1 2 3 4 N # Caf\xC3\xA9 12\xC2\xB0"};
  WriteOptions options;
  const auto bytes = [&](std::string_view name, TextEncoding encoding) {
    return FormatFileBytes(*FindFileFormat(name)->writer, lines, options, encoding);
  };
  EXPECT_EQ(bytes("fpl", TextEncoding::Windows1252), "2,1,2,3,4,Caf\xE9 12\xB0\r\n");
  EXPECT_EQ(bytes("fpl", TextEncoding::Utf8WithByteOrderMark),
            "2,1,2,3,4,Caf\xC3\xA9 12\xC2\xB0\r\n");  // TectonicsFP gets no mark
  EXPECT_TRUE(bytes("csv", TextEncoding::Utf8WithByteOrderMark)
                  .starts_with("\xEF\xBB\xBF"
                               "dip_"));
  EXPECT_TRUE(bytes("rgf", TextEncoding::Utf8WithByteOrderMark).starts_with("DATA_ID\t"));
}

TEST(FormatWriter, RefusesWhatAFormatCannotCarry) {
  const auto message = [](std::string_view name, const std::vector<std::string>& lines,
                          bool lineation = true) -> std::string {
    WriteOptions options;
    options.run.LineationData = lineation;
    try {
      FormatFileBytes(*FindFileFormat(name)->writer, lines, options, TextEncoding::Utf8);
    } catch (const FormatError& e) {
      return e.what();
    }
    return "written";
  };
  // Lines edited by hand into something that is no converted line.
  for (const std::string_view name : {"csv", "fpl", "rgf"}) {
    for (const std::string bad :
         {"hello", " 120 30 45 N", " 120 30 45 20 N X", " 120 30 45 20 NR", " 120 30 45 20 n",
          " 1 2 3 4 5 N", " 120 N 30", " +120 30", " 120 30 45 20 N N"}) {
      EXPECT_EQ(message(name, {" 1 2 3 4 N ", bad}), "line 2 is not a converted line: " + bad)
          << name;
    }
  }
  EXPECT_EQ(message("fdt", {"hello"}), "written");
  // TectonicsFP reads faults with lineations only.
  EXPECT_EQ(message("fpl", {" 120 30 N "}, false),
            "a TectonicsFP fault file (fpl) needs a lineation on every line, and this run reads "
            "none (lineation data is off)");
  EXPECT_EQ(message("fpl", {" 1 2 3 4 N ", "# c", " 120 30 N "}),
            "line 3 has no lineation, which a TectonicsFP fault file (fpl) needs");
  EXPECT_EQ(message("csv", {" 120 30 N "}, false), "written");
}

TEST(FormatWriter, FileNamesAndTheTable) {
  const struct {
    const char* chosen;
    const char* format;  // chosen by the name
    const char* written;
  } rows[] = {
      {"net.csv", "csv", "net.csv"},     {"net.fpl", "fpl", "net.fpl"},
      {"net.rgf", "rgf", "net.rgf"},     {"net.fdt", "fdt", "net.fdt"},
      {"net", "fdt", "net.fdt"},         {"net.CSV", "fdt", "net.CSV.fdt"},
      {"net.txt", "fdt", "net.txt.fdt"}, {"dir.csv/net", "fdt", "dir.csv/net.fdt"},
  };
  for (const auto& r : rows) {
    const FileFormat& format = WrittenFormatOfFileName(r.chosen);
    EXPECT_EQ(format.name, r.format) << r.chosen;
    EXPECT_EQ(WrittenFileName(format, r.chosen), r.written) << r.chosen;
  }
  EXPECT_EQ(WrittenFileName(*FindFileFormat("csv"), "net.txt"), "net.txt.csv");
  EXPECT_EQ(WrittenFileName(*FindFileFormat("rgf"), "net"), "net.rgf");
  EXPECT_EQ(FindFileFormat("xls"), nullptr);
  EXPECT_EQ(WrittenFormatNames(), "fdt, csv, fpl, rgf");
  for (const FileFormat& format : FileFormats()) {
    ASSERT_NE(format.writer, nullptr);
    EXPECT_EQ(format.writer->Name(), format.name);
    EXPECT_EQ(format.writer->Extension(), format.extension);
  }
}

// ---- Reading the files back, each with a reader of its own written from the
// formats' descriptions, not from the writers.

std::vector<std::string> SplitCrLf(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find("\r\n");
    EXPECT_NE(end, std::string_view::npos) << "a line without CR LF: " << text;
    if (end == std::string_view::npos) break;
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end + 2);
  }
  return lines;
}

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> cells;
  for (std::size_t cut; (cut = text.find(separator)) != std::string_view::npos;) {
    cells.emplace_back(text.substr(0, cut));
    text.remove_prefix(cut + 1);
  }
  cells.emplace_back(text);
  return cells;
}

// RFC 4180: records end in CR LF; a quoted field may hold commas, CR, LF and "".
std::vector<std::vector<std::string>> ReadCsv(std::string_view text) {
  std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    std::string& field = records.back().back();
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"' && field.empty()) {
      quoted = true;
    } else if (c == ',') {
      records.back().emplace_back();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      records.emplace_back(1);
      ++i;
    } else {
      field += c;
    }
  }
  EXPECT_FALSE(quoted);
  EXPECT_EQ(records.back(), std::vector<std::string>(1)) << "the last record ends in CR LF";
  records.pop_back();
  return records;
}

// What the test expects of a fault: read from the output line by splitting at blanks.
struct Expected {
  std::vector<double> numbers;  // 2 or 4
  char sense = 0;
  std::string comment;
  long line = 0;
};

std::vector<Expected> FaultsOf(const std::vector<std::string>& lines) {
  std::vector<Expected> faults;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::size_t hash = line.find('#');
    Expected e;
    e.line = static_cast<long>(i + 1);
    for (const std::string& word : Split(line.substr(0, hash), ' ')) {
      if (word.empty()) continue;
      if (word == "N" || word == "R" || word == "D" || word == "S") {
        e.sense = word[0];
      } else {
        e.numbers.push_back(StrToFloat(word).value());
      }
    }
    if (e.numbers.empty()) continue;
    if (hash != std::string::npos) {
      e.comment = line.substr(hash + 1);
      e.comment.erase(0, e.comment.find_first_not_of(' '));
      e.comment.erase(e.comment.find_last_not_of(' ') + 1);
    }
    faults.push_back(e);
  }
  return faults;
}

double Number(const std::string& cell) {
  const auto value = StrToFloat(cell);
  EXPECT_TRUE(value) << "not a number: '" << cell << "'";
  return value.value_or(-1);
}

void ExpectNumbers(const Expected& e, const std::vector<std::string>& cells, std::size_t first) {
  for (std::size_t k = 0; k < 4; ++k) {
    if (k < e.numbers.size()) {
      EXPECT_EQ(Number(cells[first + k]), e.numbers[k]) << "line " << e.line << " column " << k;
    } else {
      EXPECT_EQ(cells[first + k], "") << "line " << e.line;
    }
  }
}

// Output lines of real runs over a small field book, in several option sets.
struct RunLines {
  ConversionOptions options;
  std::vector<std::string> lines;
};

std::vector<RunLines> Runs() {
  const std::vector<std::string> book = {
      "# Valle Scura traverse",
      "120 30 45 20 N          # site 1, quarry wall",
      "N28E32S R70N N          # site 1, \"strike\" N28E",
      "210/65 215/60 R",
      "",
      "NS70W P5S D             # site 2",
      "40 85 N40W03N S         # site 3; steep",
      "35 50 N                 # site 6: lineation not written down",
      "  # indented",
      "210/65 215/60 R #",
      "12.3 4.56 78.9 10.11 N",
  };
  const std::vector<std::string> withoutSenses = {
      "120 30 45 20 # a", "N28E32S R70N", "# b", "35 50 N", "12.3 4.56 78.9 10.11 # c",
  };
  const std::vector<std::string> planes = {"120 30 N # a", "N28E32S S", "# b", "35 N",
                                           "12.3 4.56 D"};
  std::vector<RunLines> runs;
  const auto add = [&](const std::vector<std::string>& input, bool decimal, bool sense,
                       bool lineation) {
    RunLines r;
    r.options.DeclinationText = "2.35";
    r.options.OneDecimal = decimal;
    r.options.SenseData = sense;
    r.options.LineationData = lineation;
    BatchRun run(r.options, nullptr);
    for (const std::string& line : input) {
      std::string out;
      run.ConvertInputLine(line, out);
      r.lines.push_back(out);
    }
    runs.push_back(r);
  };
  for (const bool decimal : {false, true}) {
    add(book, decimal, true, true);
    add(withoutSenses, decimal, false, true);
    add(planes, decimal, true, false);
  }
  return runs;
}

TEST(FormatWriter, FilesReadBackGiveTheNumbersAndSensesOfTheOutput) {
  const std::map<char, std::string> fplCodes = {
      {'R', "1"}, {'N', "2"}, {'D', "3"}, {'S', "4"}, {0, "0"}};
  const std::map<char, std::string> rgfWords = {
      {'N', "NORMAL"}, {'R', "INVERSE"}, {'D', "DEXTRAL"}, {'S', "SINISTRAL"}, {0, ""}};
  for (const RunLines& run : Runs()) {
    const std::vector<std::string>& lines = run.lines;
    const std::vector<Expected> faults = FaultsOf(lines);
    ASSERT_GE(faults.size(), 3u);
    SCOPED_TRACE(lines[0]);

    const auto csv = ReadCsv(Write("csv", lines));
    ASSERT_EQ(csv.size(), faults.size() + 1);
    EXPECT_EQ(csv[0], (std::vector<std::string>{"dip_direction", "dip", "trend", "plunge", "sense",
                                                "comment", "line"}));
    for (std::size_t i = 0; i < faults.size(); ++i) {
      const auto& row = csv[i + 1];
      ASSERT_EQ(row.size(), 7u);
      ExpectNumbers(faults[i], row, 0);
      EXPECT_EQ(row[4], faults[i].sense ? std::string(1, faults[i].sense) : "");
      EXPECT_EQ(row[5], faults[i].comment);
      EXPECT_EQ(row[6], std::to_string(faults[i].line));
    }

    std::vector<std::vector<std::string>> fpl;
    if (run.options.LineationData) {
      for (const std::string& line : SplitCrLf(Write("fpl", lines, false))) {
        if (!line.starts_with(";")) fpl.push_back(Split(line, ','));
      }
      ASSERT_EQ(fpl.size(), faults.size());
    }
    for (std::size_t i = 0; i < fpl.size(); ++i) {
      const auto& fields = fpl[i];
      ASSERT_GE(fields.size(), 5u);
      EXPECT_EQ(fields[0], fplCodes.at(faults[i].sense));
      ExpectNumbers(faults[i], fields, 1);
      std::string comment;
      for (std::size_t k = 5; k < fields.size(); ++k) comment += (k > 5 ? "," : "") + fields[k];
      EXPECT_EQ(comment, faults[i].comment);
    }

    const auto rgf = SplitCrLf(Write("rgf", lines, true, "Valle Scura"));
    ASSERT_EQ(rgf.size(), faults.size() + 1);
    std::vector<std::string> names = Split(rgf[0], '\t');
    ASSERT_EQ(names.back(), "");  // every name is followed by a tab
    names.pop_back();
    std::map<std::string, std::size_t> column;
    for (std::size_t k = 0; k < names.size(); ++k) column[names[k]] = k;
    ASSERT_EQ(column.size(), 16u);
    for (std::size_t i = 0; i < faults.size(); ++i) {
      std::vector<std::string> cells = Split(rgf[i + 1], '\t');
      ASSERT_EQ(cells.size(), 17u);
      EXPECT_EQ(cells.back(), "");
      const auto cell = [&](const char* name) { return cells[column.at(name)]; };
      EXPECT_EQ(cell("DATA_ID"), "L" + std::to_string(faults[i].line));
      EXPECT_EQ(cell("LOCATION"), "Valle Scura");
      EXPECT_EQ(cell("DATATYPE"), "STRIAE");
      EXPECT_EQ(cell("SENSE"), rgfWords.at(faults[i].sense));
      EXPECT_EQ(cell("COMMENT"), faults[i].comment);
      const char* numberColumns[] = {"DIP_DIR", "DIP", "L_DIP_DIR", "L_DIP"};
      for (std::size_t k = 0; k < 4; ++k) {
        const std::string text = cell(numberColumns[k]);
        if (k >= faults[i].numbers.size()) {
          EXPECT_EQ(text, "");
          continue;
        }
        ASSERT_GE(text.size(), 3u);
        EXPECT_EQ(text[text.size() - 2], '.') << text;  // one decimal
        EXPECT_EQ(Number(text), faults[i].numbers[k]) << numberColumns[k];
      }
    }
  }
}

}  // namespace
}  // namespace orvane
