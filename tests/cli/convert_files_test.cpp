// The files around a run: the fault data file and the stereonet appear complete or
// not at all, and never replace the input.
#include "convert_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "convert_run.h"
#include "stream_fakes.h"

namespace orvane::cli {
namespace {

namespace fs = std::filesystem;

const char kOld[] = "old content\r\n";
const char kBook[] = "120 30 45 20 N # a\n# note\n35 50 N\n";

class ConvertFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "convert_files_test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Put(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Get(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // Runs a job with `stdinBytes` as standard input (failing after `failAfter` bytes).
  int Convert(FileJob job, const std::string& stdinBytes = "", std::size_t failAfter = SIZE_MAX) {
    StringSource in(stdinBytes, 1 << 16, failAfter);
    out_ = StringSink(SIZE_MAX, "-");
    err_ = StringSink(SIZE_MAX, "standard error");
    return ConvertFiles(job, {in, out_, err_});
  }

  FileJob Job(const std::string& input, const std::string& output) const {
    FileJob job;
    job.input = input == "-" ? "-" : Path(input);
    job.outputs = {{Path(output), &WrittenFormatOfFileName(output)}};
    job.threads = 2;
    return job;
  }

  fs::path dir_;
  StringSink out_;
  StringSink err_;
};

TEST_F(ConvertFilesTest, WritesTheFaultDataFileAndNothingElse) {
  Put("book.txt", kBook);
  EXPECT_EQ(Convert(Job("book.txt", "out")), kExitLineErrors);
  EXPECT_EQ(Get("out.fdt"), " 120 30  50 11 N # a\r\n");
  EXPECT_EQ(out_.text, "");
  EXPECT_EQ(err_.text, Path("book.txt") + ":3: error in liniation data\n");
  EXPECT_EQ(Names(), (std::vector<std::string>{"book.txt", "out.fdt"}));
}

TEST_F(ConvertFilesTest, FailedRunLeavesTheOldFileAndCreatesNone) {
  Put("book.txt", kBook);
  fs::create_directory(Path("folder"));
  struct Case {
    const char* name;
    FileJob job;
    std::size_t stdinFailsAfter = SIZE_MAX;
    std::string message;
  };
  std::vector<Case> cases;
  {
    FileJob job = Job("book.txt", "out");
    job.options.DeclinationText = "2W";
    cases.push_back({"stopped run", job, SIZE_MAX, "Declination \"2W\" is not a number"});
  }
  cases.push_back({"input is a folder", Job("folder", "out"), SIZE_MAX,
                   "orvane-convert: cannot read '" + Path("folder") + "': Is a directory"});
  cases.push_back(
      {"missing input", Job("nothing.txt", "out"), SIZE_MAX,
       "orvane-convert: cannot read '" + Path("nothing.txt") + "': No such file or directory"});
  cases.push_back({"read error midway", Job("-", "out"), 40,
                   "orvane-convert: cannot read 'in.txt': Input/output error"});
  {
    FileJob job = Job("book.txt", "out");
    job.stereonet = Path("net.txt");
    cases.push_back({"stereonet cannot be written", job, SIZE_MAX,
                     "orvane-convert: cannot write '" + Path("net.txt") + "': "});
  }
  for (const bool existing : {true, false}) {
    for (const Case& c : cases) {
      fs::remove(Path("out.fdt"));
      if (existing) Put("out.fdt", kOld);
      const std::string book = std::string(kBook) + kBook + kBook;
      EXPECT_EQ(Convert(c.job, book, c.stdinFailsAfter), kExitFailed) << c.name;
      EXPECT_NE(err_.text.find(c.message), std::string::npos) << c.name << ": " << err_.text;
      if (existing) {
        EXPECT_EQ(Get("out.fdt"), kOld) << c.name;
      } else {
        EXPECT_FALSE(fs::exists(Path("out.fdt"))) << c.name;
      }
      EXPECT_EQ(Names().size(), existing ? 3u : 2u) << c.name << ": a file was left behind";
    }
  }
}

TEST_F(ConvertFilesTest, OutputThatIsTheInputIsRefusedBeforeReading) {
  Put("same.fdt", kBook);
  fs::create_symlink("same.fdt", Path("link.fdt"));
  fs::create_symlink("same.fdt", Path("link.svg"));
  struct Case {
    const char* name;
    FileJob job;
  };
  FileJob viaStereonet = Job("same.fdt", "other");
  viaStereonet.outputs.clear();
  viaStereonet.stereonet = Path("link.svg");
  const Case cases[] = {
      {"same name", Job("same.fdt", "same.fdt")},
      {".fdt appended makes it the same", Job("same.fdt", "same")},
      {"output through a link", Job("same.fdt", "link")},
      {"input through a link", Job("link.fdt", "same")},
      {"stereonet onto the input", viaStereonet},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Convert(c.job), kExitUsage) << c.name;
    EXPECT_EQ(err_.text, "orvane-convert: input and output are the same file\n") << c.name;
    EXPECT_EQ(Get("same.fdt"), kBook) << c.name;
    EXPECT_EQ(Names(), (std::vector<std::string>{"link.fdt", "link.svg", "same.fdt"})) << c.name;
  }
}

TEST_F(ConvertFilesTest, StandardInputThatIsTheOutputIsRefused) {
  Put("same.fdt", kBook);
  const int fd = ::open(Path("same.fdt").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  DescriptorSource in(fd, "-");
  StringSink out;
  StringSink err;
  EXPECT_EQ(ConvertFiles(Job("-", "same"), {in, out, err}), kExitUsage);
  ::close(fd);
  EXPECT_EQ(Get("same.fdt"), kBook);
}

TEST_F(ConvertFilesTest, LinkIsWrittenThrough) {
  Put("book.txt", kBook);
  Put("target.fdt", kOld);
  fs::create_symlink("target.fdt", Path("link.fdt"));
  EXPECT_EQ(Convert(Job("book.txt", "link.fdt")), kExitLineErrors);
  EXPECT_TRUE(fs::is_symlink(Path("link.fdt")));
  EXPECT_EQ(Get("target.fdt"), " 120 30  50 11 N # a\r\n");
}

TEST_F(ConvertFilesTest, StandardOutputWithoutAFile) {
  FileJob job = Job("-", "x");
  job.outputs.clear();
  EXPECT_EQ(Convert(job, "120 30 45 20 N\n# c\n"), kExitConverted);
  EXPECT_EQ(out_.text, " 120 30  50 11 N \n# c\n");
  EXPECT_EQ(Names(), std::vector<std::string>{});
}

FileJob FormatsJob(FileJob job, const std::vector<std::string>& names) {
  const std::string dir = fs::path(job.outputs.at(0).name).parent_path().string();
  job.outputs.clear();
  for (const std::string& name : names) {
    job.outputs.push_back({dir + "/" + name, &WrittenFormatOfFileName(name)});
  }
  return job;
}

TEST_F(ConvertFilesTest, SeveralFormatsFromOneRun) {
  Put("book.txt", kBook);
  const FileJob job = FormatsJob(Job("book.txt", "x"), {"out", "out.csv", "out.fpl", "out.rgf"});
  EXPECT_EQ(Convert(job), kExitLineErrors);
  EXPECT_EQ(Get("out.fdt"), " 120 30  50 11 N # a\r\n");
  EXPECT_EQ(Get("out.csv"),
            "dip_direction,dip,trend,plunge,sense,comment,line\r\n"
            "120,30,50,11,N,a,1\r\n");
  EXPECT_EQ(Get("out.fpl"), "2,120,30,50,11,a\r\n");
  // The location is the input's name without its extension.
  EXPECT_NE(Get("out.rgf").find("\r\nL1\t\t\t\tbook\t0.000000\t0.000000\t\tSTRIAE\t120.0\t30.0\t"
                                "50.0\t11.0\tNORMAL\t\ta\t\r\n"),
            std::string::npos);
  EXPECT_EQ(out_.text, "");
  EXPECT_EQ(err_.text, Path("book.txt") + ":3: error in liniation data\n");  // once
  EXPECT_EQ(Names(),
            (std::vector<std::string>{"book.txt", "out.csv", "out.fdt", "out.fpl", "out.rgf"}));

  // Kept comments reach the fault data file and TectonicsFP's comment lines.
  FileJob keep = job;
  keep.options.RemoveComment = false;
  keep.location = "Valle\tScura";
  EXPECT_EQ(Convert(keep), kExitLineErrors);
  EXPECT_EQ(Get("out.fpl"),
            "2,120,30,50,11,a\r\n; note\r\n; error in liniation data [35 50 N]\r\n");
  EXPECT_NE(Get("out.rgf").find("\tValle Scura\t"), std::string::npos);
}

TEST_F(ConvertFilesTest, StandardOutputInAFormat) {
  FileJob job = Job("-", "x");
  job.outputs.clear();
  job.standardOutput = FindFileFormat("fpl");
  job.options.RemoveComment = false;
  EXPECT_EQ(Convert(job, "120 30 45 20 N # a\n# c\n"), kExitConverted);
  EXPECT_EQ(out_.text, "2,120,30,50,11,a\r\n; c\r\n");
  job.standardOutput = FindFileFormat("rgf");
  EXPECT_EQ(Convert(job, "120 30 45 20 N\n"), kExitConverted);
  EXPECT_NE(out_.text.find("\tstandard input\t"), std::string::npos) << out_.text;
  job.standardOutput = FindFileFormat("fdt");
  EXPECT_EQ(Convert(job, "120 30 45 20 N # a\n# c\n"), kExitConverted);
  EXPECT_EQ(out_.text, " 120 30  50 11 N # a\r\n# c\r\n");
  EXPECT_EQ(Names(), std::vector<std::string>{});
}

TEST_F(ConvertFilesTest, StoppedRunWritesNoneOfSeveralFiles) {
  Put("book.txt", std::string(kBook) + kBook);
  Put("out.csv", kOld);
  FileJob job = FormatsJob(Job("book.txt", "x"), {"out", "out.csv", "out.fpl", "out.rgf"});
  job.options.DeclinationText = "2W";
  EXPECT_EQ(Convert(job), kExitFailed);
  EXPECT_EQ(Get("out.csv"), kOld);
  EXPECT_EQ(Names(), (std::vector<std::string>{"book.txt", "out.csv"}));
}

TEST_F(ConvertFilesTest, RefusedBeforeAnythingIsRead) {
  fs::create_directory(Path("sub"));
  fs::create_symlink("out.csv", Path("link.fpl"));
  struct Case {
    const char* name;
    FileJob job;
    std::string message;
  };
  FileJob noLineation = FormatsJob(Job("missing.txt", "x"), {"out.csv", "out.fpl"});
  noLineation.options.LineationData = false;
  FileJob toStandardOutput = Job("missing.txt", "x");
  toStandardOutput.outputs.clear();
  toStandardOutput.standardOutput = FindFileFormat("fpl");
  toStandardOutput.options.LineationData = false;
  FileJob twoNames = FormatsJob(Job("-", "x"), {"out.csv", "link.fpl"});
  const std::string fplRefusal =
      "orvane-convert: a TectonicsFP fault file (fpl) needs a lineation on every line, and this "
      "run reads none (lineation data is off)\n";
  const Case cases[] = {
      {"fpl without lineations", noLineation, fplRefusal},
      {"fpl on standard output without lineations", toStandardOutput, fplRefusal},
      {"two names of one file", twoNames,
       "orvane-convert: two outputs are the same file: '" + Path("out.csv") + "' and '" +
           Path("link.fpl") + "'\n"},
  };
  Put("out.csv", kOld);
  for (const Case& c : cases) {
    EXPECT_EQ(Convert(c.job, kBook), kExitUsage) << c.name;
    EXPECT_EQ(err_.text, c.message) << c.name;
    EXPECT_EQ(out_.text, "") << c.name;
    EXPECT_EQ(Get("out.csv"), kOld) << c.name;
    EXPECT_EQ(Names(), (std::vector<std::string>{"link.fpl", "out.csv", "sub"})) << c.name;
  }
  // Without the refusal, the same job is refused for the input only.
  noLineation.options.LineationData = true;
  EXPECT_EQ(Convert(noLineation), kExitFailed);
}

TEST(DefaultLocation, IsTheInputsNameWithoutFolderAndExtension) {
  EXPECT_EQ(DefaultLocation("data/site-3.txt"), "site-3");
  EXPECT_EQ(DefaultLocation("notes"), "notes");
  EXPECT_EQ(DefaultLocation("a.b.txt"), "a.b");
  EXPECT_EQ(DefaultLocation("-"), "standard input");
}

}  // namespace
}  // namespace orvane::cli
