// Tests of what planning finds in a program: the members it opens by the converter's rule, where
// they are looked for, how deep, and the outputs of its conversion.
#include "batch/program_scan.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace batch {
namespace {

// Each touch as "USE NAME", the name below `folder`; member outputs with their source's name.
std::vector<std::string> described(const Conversion& conversion, const std::string& folder) {
  auto below = [&folder](const std::string& name) {
    return name.compare(0, folder.size() + 1, folder + "/") == 0 ? name.substr(folder.size() + 1)
                                                                 : name;
  };
  std::vector<std::string> lines;
  for (const Touch& touch : conversion.touches) {
    const char* use = touch.use == Use::kOutput ? "writes"
                      : touch.use == Use::kRead ? "reads"
                                                : "copies";
    lines.push_back(std::string(use) + " " + below(touch.shown));
  }
  return lines;
}

class ProgramScan : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* sub : {"app/sub", "lib"})
      std::filesystem::create_directories(folder_.path() / sub);
  }

  Conversion scan(const ScanSettings& settings) {
    Program program;
    program.folder = folder_.path().string() + "/app";
    program.path = program.folder + "/PROG.zsc";
    program.name = "PROG";
    program.extension = "zsc";
    return scan_program(cache_, settings, program);
  }
  std::string app() const { return folder_.path().string() + "/app"; }

  test_support::TempFolder folder_;
  ScanCache cache_;
};

TEST_F(ProgramScan, MembersByTheConvertersRule) {
  folder_.write("app/PROG.zsc",
                "       PROCEDURE DIVISION.\n"
                "           COPY A.\n"
                "      *    COPY COMMENTED.\n"  // a comment line opens nothing
                "           COPY KVZAID.\n"     // the monitor's own copybook is never opened
                "           COPY MISSING.\n"    // looked for in both places, found in neither
                "           COPY LIBREC.\n");   // found in the -I folder
  folder_.write("app/A", "           COPY B.\n");
  folder_.write("app/B", "           COPY A.\n");  // back to A, which adds nothing new
  folder_.write("lib/LIBREC", "           MOVE 1 TO X.\n");
  ScanSettings settings{{folder_.path().string() + "/lib"}, true};
  std::string lib = folder_.path().string() + "/lib/";
  // A member not found under its name is looked for with each extension, in each place.
  auto looked_for = [](const std::string& place, const std::string& name) {
    std::vector<std::string> names;
    for (const char* ending : {"", ".cpy", ".CPY", ".cbl", ".CBL", ".cob", ".COB"})
      names.push_back("reads " + place + name + ending);
    return names;
  };
  std::vector<std::string> expected = {"writes PROG.new", "writes PROG.msg", "writes PROGFE.cbl",
                                       "reads PROG.zsc",  "reads A",         "copies A.new"};
  for (const std::string& touch : looked_for("", "MISSING")) expected.push_back(touch);
  for (const std::string& touch : looked_for(lib, "MISSING")) expected.push_back(touch);
  for (const std::string& touch : looked_for("", "LIBREC")) expected.push_back(touch);
  for (const std::string& touch :
       {"reads " + lib + "LIBREC", std::string("copies LIBREC.new"), std::string("reads B"),
        std::string("copies B.new"), std::string("reads A"), std::string("copies A.new")})
    expected.push_back(touch);
  EXPECT_EQ(described(scan(settings), app()), expected);
}

TEST_F(ProgramScan, TenLevelsOfMembersAtMost) {
  folder_.write("app/PROG.zsc", "           COPY L1.\n");
  for (int level = 1; level <= 11; ++level)
    folder_.write("app/L" + std::to_string(level),
                  "           COPY L" + std::to_string(level + 1) + ".\n");
  std::vector<std::string> expected = {"writes PROG.new", "writes PROG.msg", "reads PROG.zsc"};
  // The eleventh level is not opened: L11 is neither read nor copied.
  for (int level = 1; level <= 10; ++level) {
    expected.push_back("reads L" + std::to_string(level));
    expected.push_back("copies L" + std::to_string(level) + ".new");
  }
  EXPECT_EQ(described(scan(ScanSettings{}), app()), expected);
}

TEST_F(ProgramScan, LongLinesAreReadInPiecesAsTheConverterReadsThem) {
  // The COPY word starts the second 254-character piece of the line, where the converter finds
  // it; a piece of 6 characters or fewer is never examined.
  std::string line =
      std::string(254, 'X') + "       COPY P2.\n" + std::string(250, ' ') + "COPY P3.\n";
  folder_.write("app/PROG.zsc", line);
  folder_.write("app/P2", "");
  folder_.write("app/P3", "");
  std::vector<std::string> expected = {"writes PROG.new", "writes PROG.msg", "reads PROG.zsc",
                                       "reads P2", "copies P2.new"};
  EXPECT_EQ(described(scan(ScanSettings{}), app()), expected);
}

// Programs in any case of the extension are found; QUILLOX reads only NAME.zsc, or NAME.ZSC
// when there is no NAME.zsc, so the others are refused with the reason.
TEST_F(ProgramScan, ProgramsInNameOrderAnyCaseOfTheExtension) {
  folder_.write("app/B.zsc", "");
  folder_.write("app/A.ZSC", "");
  folder_.write("app/D.zsc", "");
  folder_.write("app/D.ZSC", "");
  folder_.write("app/sub/C.Zsc", "");
  folder_.write("app/PAY.V2.zsc", "");
  folder_.write("app/notes.txt", "");
  std::vector<std::string> errors;
  std::vector<std::string> found;
  for (const Program& program : find_programs(app() + "/", errors))
    found.push_back(program.path.substr(app().size()) + " " + program.name + " " +
                    program.extension + (program.refusal.empty() ? "" : " refused"));
  std::vector<std::string> expected = {"/A.ZSC A ZSC",
                                       "/B.zsc B zsc",
                                       "/D.ZSC D ZSC refused",
                                       "/D.zsc D zsc",
                                       "/PAY.V2.zsc PAY.V2 zsc refused",
                                       "/sub/C.Zsc C Zsc refused"};
  EXPECT_EQ(found, expected);
  std::vector<Program> programs = find_programs(app(), errors);
  EXPECT_EQ(programs[2].refusal, "QUILLOX reads D.zsc beside it instead");
  EXPECT_EQ(programs[5].refusal, "QUILLOX reads C.zsc or C.ZSC, not .Zsc");
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace batch
