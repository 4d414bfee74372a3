#include "ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ini_test_support.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;

TEST(IniFileRead, FindsValuesTheWayTheProfileFunctionsDo) {
  struct Case {
    const char* file;
    const char* section;
    const char* key;
    const char* expected;  // "<default>" when the key is not found
  };
  const Case cases[] = {
      {"[Options]\nsense data=0\n", "options", "SENSE DATA", "0"},
      {"[ bedding dip correction ]\n  ratio  =  12  \n", "bedding dip correction", "ratio", "12"},
      {"[correction]\nwest=\"5.5W\"\n", "correction", "west", "5.5W"},
      {"[correction]\nwest= ' 5 ' \n", "correction", "west", " 5 "},
      {"[correction]\nwest=\"5'\n", "correction", "west", "\"5'"},
      {"[correction]\nwest=\"\n", "correction", "west", "\""},
      {"[correction]\nwest=\"\"\"\"\n", "correction", "west", "\"\""},
      {"[correction]\nwest=\n", "correction", "west", ""},
      {"[correction]\nwest=a=b\n", "correction", "west", "a=b"},
      {"[correction]\nwest=5 ; note\n", "correction", "west", "5 ; note"},
      {"[correction] ; note\nwest=3\n", "correction", "west", "3"},
      {"[correction]\r\nwest=4\r\n", "correction", "west", "4"},
      {"[correction]\nwest=5", "correction", "west", "5"},
      {"\xEF\xBB\xBF[correction]\nwest=6\n", "correction", "west", "6"},
      {"[correction]\nwest=1\nWEST=2\n", "correction", "west", "1"},
      {"[correction]\nwest=1\n[CORRECTION]\nwest=2\n", "correction", "west", "1"},
      {"[correction]\nx=1\n[Correction]\nwest=2\n", "correction", "west", "2"},
      {"[correction]\nwest\n", "correction", "west", "<default>"},
      {"[correction]\n;west=1\n  #west=2\n", "correction", "west", "<default>"},
      {"west=1\n[correction]\n", "correction", "west", "<default>"},
      {"[other]\nwest=1\n[correction]\n", "correction", "west", "<default>"},
      {"[correctionX]\nwest=1\n", "correction", "west", "<default>"},
      {"[correction\nwest=1\n", "correction", "west", "<default>"},
      {"", "correction", "west", "<default>"},
  };
  for (const Case& c : cases) {
    const IniFile ini = IniFile::FromText(c.file);
    EXPECT_EQ(ini.ReadString(c.section, c.key, "<default>"), c.expected) << c.file;
  }
}

TEST(IniFileRead, IntegersAndBooleans) {
  struct Case {
    const char* value;
    std::int32_t expected;  // with default 77
  };
  const Case cases[] = {
      {"12", 12},         {"-12", -12},
      {"0x1E", 30},       {"0X1e", 30},
      {"\"0x1E\"", 30},   {"  7  ", 7},
      {"0x", 77},         {"yes", 77},
      {"", 77},           {"12abc", 77},
      {"1.5", 77},        {"2147483647", 2147483647},
      {"2147483648", 77}, {"-2147483648", -2147483647 - 1},
  };
  for (const Case& c : cases) {
    const IniFile ini = IniFile::FromText(std::string("[s]\nk=") + c.value + "\n");
    EXPECT_EQ(ini.ReadInteger("s", "k", 77), c.expected) << c.value;
  }

  const IniFile ini = IniFile::FromText("[s]\nzero=0\ntwo=2\nminus=-1\nyes=yes\nempty=\n");
  EXPECT_FALSE(ini.ReadBool("s", "zero", true));
  EXPECT_TRUE(ini.ReadBool("s", "two", false));
  EXPECT_TRUE(ini.ReadBool("s", "minus", false));
  EXPECT_TRUE(ini.ReadBool("s", "yes", true));
  EXPECT_FALSE(ini.ReadBool("s", "yes", false));
  EXPECT_FALSE(ini.ReadBool("s", "empty", false));
  EXPECT_TRUE(ini.ReadBool("s", "missing", true));
  EXPECT_EQ(ini.ReadInteger("missing", "k", -3), -3);
}

TEST(IniFileText, UnchangedFilesComeBackByteForByte) {
  const char* files[] = {
      "",
      "\n",
      "\r\n\r\n",
      "\xEF\xBB\xBF",
      "\xEF\xBB\xBF[a]\r\nk = v \r\n",
      "[a]\nk=v",
      "[a]\r\nk=v\nmixed=1\r\n",
      "lone\rcarriage return\n",
      "  ; comment\n#other\n[ odd ] trailing\nno equals sign\n=empty key\n",
  };
  for (const char* file : files) {
    EXPECT_EQ(IniFile::FromText(file).Text(), file);
  }
}

TEST(IniFileWrite, HandEditedFileKeepsEverythingButTheChangedValues) {
  const std::string before =
      "\xEF\xBB\xBF; written by hand\r\n"
      "[OPTIONS]\r\n"
      "Sense Data = 1   \r\n"
      "  # keep me\r\n"
      "Foreign=x\r\n"
      "\r\n"
      "[Other program]\r\n"
      "west=9\r\n"
      "[Correction]\r\n"
      "WEST=\"5.5W\"";
  IniFile ini = IniFile::FromText(before);
  ini.WriteString("correction", "west", "5.5W");  // reads back the same: line untouched
  ini.WriteBool("Options", "sense data", false);
  ini.WriteBool("Options", "remove comment", true);
  ini.WriteInteger("bedding dip correction", "ratio", 30);
  ini.WriteString("correction", "north", "1");
  EXPECT_EQ(ini.Text(),
            "\xEF\xBB\xBF; written by hand\r\n"
            "[OPTIONS]\r\n"
            "Sense Data = 0   \r\n"
            "  # keep me\r\n"
            "Foreign=x\r\n"
            "remove comment=1\r\n"
            "\r\n"
            "[Other program]\r\n"
            "west=9\r\n"
            "[Correction]\r\n"
            "WEST=\"5.5W\"\r\n"
            "north=1\r\n"
            "[bedding dip correction]\r\n"
            "ratio=30\r\n");
  EXPECT_EQ(ini.ReadString("Correction", "West", ""), "5.5W");
  EXPECT_FALSE(ini.ReadBool("options", "sense data", true));
}

TEST(IniFileWrite, ReplacesOnlyTheValuePart) {
  struct Case {
    const char* before;
    const char* value;
    const char* after;
  };
  const Case cases[] = {
      {"[s]\nk = \"5.5W\" \n", "7", "[s]\nk = 7 \n"},
      {"[s]\nk=\n", "7", "[s]\nk=7\n"},
      {"[s]\nk =   \n", "7", "[s]\nk =   7\n"},
      {"[s]\nk=1\nk=2\n", "3", "[s]\nk=3\nk=2\n"},
      {"[s]\nk=a=b\n", "c", "[s]\nk=c\n"},
      {"[s]\nk=old", "new", "[s]\nk=new"},
      {"[s]\nk=1\n[S]\nk=2\n", "3", "[s]\nk=3\n[S]\nk=2\n"},
      // A new key goes after the section's last key, before blank lines and comments.
      {"[s]\na=1\n\n; next\n[t]\n", "7", "[s]\na=1\nk=7\n\n; next\n[t]\n"},
      {"[s]\n\n[t]\n", "7", "[s]\nk=7\n\n[t]\n"},
      {"k=0\n[s]", "7", "k=0\n[s]\nk=7\n"},
      {"[t]\nk=0", "7", "[t]\nk=0\n[s]\nk=7\n"},
      {"[t]\r\nk=0\n", "7", "[t]\r\nk=0\n[s]\r\nk=7\r\n"},
  };
  for (const Case& c : cases) {
    IniFile ini = IniFile::FromText(c.before);
    ini.WriteString("s", "k", c.value);
    EXPECT_EQ(ini.Text(), c.after) << c.before;
  }
}

TEST(IniFileWrite, NewFileGetsSectionsAndKeysInTheOrderWritten) {
  IniFile ini;
  ini.WriteString("correction", "west", "0");
  ini.WriteInteger("bedding dip correction", "ratio", -40);
  ini.WriteBool("OutputForm", "int", true);
  ini.WriteBool("OutputForm", "double", false);
  ini.WriteString("correction", "east", "x");
  EXPECT_EQ(ini.Text(), WithNewFileEnds("[correction]\nwest=0\neast=x\n"
                                        "[bedding dip correction]\nratio=-40\n"
                                        "[OutputForm]\nint=1\ndouble=0\n"));
}

TEST(IniFileWrite, RefusesNamesAndValuesThatWouldBreakTheFile) {
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"", "k", "v"},   {"a]b", "k", "v"}, {" s", "k", "v"},   {"s\n", "k", "v"},
      {"s", "", "v"},   {"s", "a=b", "v"}, {"s", "k ", "v"},   {"s", ";k", "v"},
      {"s", "#k", "v"}, {"s", "[k", "v"},  {"s", "k", "a\nb"}, {"s", "k", "a\rb"},
  };
  for (const Case& c : cases) {
    IniFile ini = IniFile::FromText("[s]\nk=1\n");
    EXPECT_THROW(ini.WriteString(c.section, c.key, c.value), std::invalid_argument)
        << c.section << "/" << c.key << "/" << c.value;
    EXPECT_EQ(ini.Text(), "[s]\nk=1\n");
  }
}

class IniFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "ini_file_test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }

  static std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::size_t EntriesInDir() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }

  fs::path dir_;
};

TEST_F(IniFileOnDisk, MissingFileIsEmptyUnlessAskedToFail) {
  const fs::path path = dir_ / "ORV.ini";
  EXPECT_EQ(IniFile::Load(path).Text(), "");
  EXPECT_EQ(IniFile::Load(dir_ / "no folder" / "ORV.ini").Text(), "");
  try {
    IniFile::Load(path, IniFile::IfMissing::Fail);
    ADD_FAILURE() << "no error";
  } catch (const IniFileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "cannot read '" + path.string() + "': No such file or directory");
    EXPECT_EQ(e.Path(), path);
  }
}

TEST_F(IniFileOnDisk, ExistingFileThatCannotBeReadIsAnError) {
  try {
    IniFile::Load(dir_);
    ADD_FAILURE() << "no error";
  } catch (const IniFileError& e) {
    EXPECT_EQ(std::string(e.what()), "cannot read '" + dir_.string() + "': Is a directory");
  }
  if (::geteuid() == 0) GTEST_SKIP() << "root reads files without read permission";
  const fs::path path = dir_ / "ORV.ini";
  Put(path, "[s]\nk=1\n");
  fs::permissions(path, fs::perms::none);
  EXPECT_THROW(IniFile::Load(path), IniFileError);
}

TEST_F(IniFileOnDisk, SaveReplacesTheFileAndKeepsItsPermissions) {
  const fs::path path = dir_ / "ORV.ini";
  Put(path, "[Correction]\r\nWest = 1\r\n; end");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  IniFile ini = IniFile::Load(path);
  ini.WriteString("correction", "west", "2");
  ini.Save(path);
  EXPECT_EQ(Contents(path), "[Correction]\r\nWest = 2\r\n; end");
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(EntriesInDir(), 1u);  // no temporary file left behind

  const fs::path fresh = dir_ / "new.ini";
  ini.Save(fresh);
  EXPECT_EQ(IniFile::Load(fresh).Text(), ini.Text());
}

TEST_F(IniFileOnDisk, SaveWritesThroughASymbolicLink) {
  const fs::path real = dir_ / "real.ini";
  const fs::path link = dir_ / "ORV.ini";
  Put(real, "[s]\nk=1\n");
  fs::create_symlink(real, link);
  IniFile ini = IniFile::Load(link);
  ini.WriteInteger("s", "k", 2);
  ini.Save(link);
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
  EXPECT_EQ(Contents(real), "[s]\nk=2\n");
}

TEST_F(IniFileOnDisk, FailedSaveNamesTheFileAndLeavesNoTrace) {
  // Renaming onto a directory fails even for root: the temporary file must go.
  const fs::path blocked = dir_ / "ORV.ini";
  fs::create_directory(blocked);
  Put(blocked / "inside", "x");
  try {
    IniFile::FromText("[s]\nk=1\n").Save(blocked);
    ADD_FAILURE() << "no error";
  } catch (const IniFileError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("cannot write '" + blocked.string() + "': ", 0), 0u)
        << e.what();
  }
  EXPECT_TRUE(fs::is_directory(blocked));
  EXPECT_EQ(EntriesInDir(), 1u);

  const fs::path nowhere = dir_ / "no folder" / "ORV.ini";
  try {
    IniFile::FromText("[s]\nk=1\n").Save(nowhere);
    ADD_FAILURE() << "no error";
  } catch (const IniFileError& e) {
    EXPECT_EQ(std::string(e.what()),
              "cannot write '" + nowhere.string() + "': No such file or directory");
  }
}

TEST_F(IniFileOnDisk, SaveInReadOnlyFolderFailsAndKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  const fs::path path = dir_ / "ORV.ini";
  Put(path, "[s]\nk=1\n");
  IniFile ini = IniFile::Load(path);
  ini.WriteInteger("s", "k", 2);
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  try {
    ini.Save(path);
    ADD_FAILURE() << "no error";
  } catch (const IniFileError& e) {
    EXPECT_EQ(std::string(e.what()), "cannot write '" + path.string() + "': Permission denied");
  }
  EXPECT_EQ(Contents(path), "[s]\nk=1\n");
  EXPECT_EQ(EntriesInDir(), 1u);
}

}  // namespace
}  // namespace orvane
