// Tests of a run's outputs: temporary names until the run ends, all or none, devices as they are.
#include "text/output_set.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace text {
namespace {

using test_support::TempFolder;

// Opens `name` in `set` and writes `text` to it; the test fails when it cannot be opened.
void write_output(OutputSet& set, const std::string& name, const std::string& text) {
  std::string reason;
  std::unique_ptr<OutputFile> file = set.open(name, reason);
  ASSERT_NE(file, nullptr) << name << ": " << reason;
  file->write(text);
  EXPECT_TRUE(file->close());
}

// Until the set commits, an output is a hidden file beside its final name, and an old file of
// that name is untouched; at the commit all take their names.
TEST(OutputSet, OutputsTakeTheirNamesOnlyWhenTheRunEnds) {
  TempFolder folder;
  folder.write("PROG.new", "OLD\n");
  OutputSet set;
  write_output(set, folder.file("PROG.new"), "NEW\n");
  write_output(set, folder.file("PROG.msg"), "MESSAGES\n");
  std::vector<std::string> during = folder.listing();
  ASSERT_EQ(during.size(), 3u);
  EXPECT_EQ(during[0].compare(0, 10, ".PROG.msg."), 0);
  EXPECT_EQ(during[1].compare(0, 10, ".PROG.new."), 0);
  EXPECT_EQ(during[2], "PROG.new");
  EXPECT_EQ(folder.read("PROG.new"), "OLD\n");
  std::string refused;
  std::string reason;
  ASSERT_TRUE(set.commit({}, refused, reason));
  EXPECT_EQ(folder.listing(), (std::vector<std::string>{"PROG.msg", "PROG.new"}));
  EXPECT_EQ(folder.read("PROG.new"), "NEW\n");
  EXPECT_EQ(folder.read("PROG.msg"), "MESSAGES\n");
}

// An output whose name denotes a file the run read replaces nothing at all.
TEST(OutputSet, AFileTheRunReadIsNeverReplaced) {
  TempFolder folder;
  folder.write("MEMB", "MEMBER\n");
  std::filesystem::create_symlink("MEMB", folder.path() / "PROG.msg");
  FileIdentity member;
  ASSERT_TRUE(identity_of(folder.file("MEMB"), member));
  OutputSet set;
  write_output(set, folder.file("PROG.new"), "NEW\n");
  write_output(set, folder.file("PROG.msg"), "MESSAGES\n");
  std::string refused;
  std::string reason;
  EXPECT_FALSE(set.commit({member}, refused, reason));
  EXPECT_EQ(refused, folder.file("PROG.msg"));
  EXPECT_EQ(reason, "");
  EXPECT_EQ(folder.listing(), (std::vector<std::string>{"MEMB", "PROG.msg"}));
  EXPECT_EQ(folder.read("MEMB"), "MEMBER\n");
}

TEST(OutputSet, DiscardingLeavesEveryOldFile) {
  TempFolder folder;
  folder.write("PROG.new", "OLD\n");
  {
    OutputSet set;
    write_output(set, folder.file("PROG.new"), "NEW\n");
    write_output(set, folder.file("PROG.msg"), "MESSAGES\n");
    // The set goes without a commit, as after a failure.
  }
  EXPECT_EQ(folder.listing(), std::vector<std::string>{"PROG.new"});
  EXPECT_EQ(folder.read("PROG.new"), "OLD\n");
}

// A folder is no output; a device is written as it is; a link is replaced, its target kept; the
// same name opened again replaces the earlier output of the run.
TEST(OutputSet, FoldersDevicesLinksAndNamesOpenedAgain) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "dir");
  folder.write("TARGET", "TARGET\n");
  std::filesystem::create_symlink("TARGET", folder.path() / "LINK.new");
  OutputSet set;
  std::string reason;
  EXPECT_EQ(set.open(folder.file("dir"), reason), nullptr);
  EXPECT_EQ(reason, "Is a directory");
  EXPECT_EQ(set.open(folder.file("missing/PROG.new"), reason), nullptr);
  EXPECT_EQ(reason, "No such file or directory");
  std::unique_ptr<OutputFile> device = set.open("/dev/null", reason);
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(device->name(), "/dev/null");
  write_output(set, folder.file("LINK.new"), "THROUGH THE LINK\n");
  write_output(set, folder.file("MEMB.new"), "FIRST\n");
  write_output(set, folder.file("MEMB.new"), "SECOND\n");
  EXPECT_EQ(folder.listing().size(), 5u);  // dir, TARGET, LINK.new and two temporary files
  std::string refused;
  ASSERT_TRUE(set.commit({}, refused, reason));
  EXPECT_EQ(folder.listing(), (std::vector<std::string>{"LINK.new", "MEMB.new", "TARGET", "dir"}));
  EXPECT_FALSE(std::filesystem::is_symlink(folder.path() / "LINK.new"));
  EXPECT_EQ(folder.read("LINK.new"), "THROUGH THE LINK\n");
  EXPECT_EQ(folder.read("TARGET"), "TARGET\n");
  EXPECT_EQ(folder.read("MEMB.new"), "SECOND\n");
}

// Two runs in one folder never share a temporary file.
TEST(OutputSet, TwoSetsNeverShareATemporaryName) {
  TempFolder folder;
  OutputSet first;
  OutputSet second;
  write_output(first, folder.file("PROG.new"), "FIRST\n");
  write_output(second, folder.file("PROG.new"), "SECOND\n");
  EXPECT_EQ(folder.listing().size(), 2u);
}

// An ending signal removes the temporary files and ends the process by the same signal.
TEST(OutputSet, AnEndingSignalRemovesTheTemporaryFiles) {
  TempFolder folder;
  folder.write("PROG.new", "OLD\n");
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(signal_number);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      OutputSet set;
      std::string reason;
      std::unique_ptr<OutputFile> file = set.open(folder.file("PROG.new"), reason);
      if (!file) _exit(3);
      file->write("PARTIAL\n");
      raise(signal_number);
      _exit(4);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), signal_number);
    EXPECT_EQ(folder.listing(), std::vector<std::string>{"PROG.new"});
    EXPECT_EQ(folder.read("PROG.new"), "OLD\n");
  }
}

}  // namespace
}  // namespace text
