// Tests of a run's outputs: temporary names until the run ends, all or none, links followed,
// modes and owners kept, what may not be written refused, every ending signal cleaning up.
#include "text/output_set.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
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

namespace fs = std::filesystem;
using test_support::TempFolder;

// Opens `name` in `set` and writes `text` to it; the test fails when it cannot be opened.
void write_output(OutputSet& set, const std::string& name, const std::string& text) {
  std::string reason;
  std::unique_ptr<OutputFile> file = set.open(name, reason);
  ASSERT_NE(file, nullptr) << name << ": " << reason;
  file->write(text);
  EXPECT_TRUE(file->close());
}

bool is_temporary(const std::string& name) {
  return name.size() == 15 && name.compare(0, 9, ".quillox-") == 0;
}

mode_t mode_of(const std::string& name) {
  struct stat status;
  return ::stat(name.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// Until the set commits, an output is a short hidden file beside its final name, and an old
// file of that name is untouched; at the commit all take their names.
TEST(OutputSet, OutputsTakeTheirNamesOnlyWhenTheRunEnds) {
  TempFolder folder;
  folder.write("PROG.new", "OLD\n");
  OutputSet set;
  write_output(set, folder.file("PROG.new"), "NEW\n");
  write_output(set, folder.file("PROG.msg"), "MESSAGES\n");
  std::vector<std::string> during = folder.listing();
  ASSERT_EQ(during.size(), 3u);
  EXPECT_TRUE(is_temporary(during[0])) << during[0];
  EXPECT_TRUE(is_temporary(during[1])) << during[1];
  EXPECT_EQ(during[2], "PROG.new");
  EXPECT_EQ(folder.read("PROG.new"), "OLD\n");
  ASSERT_EQ(set.commit({}).outcome, CommitResult::kDone);
  EXPECT_EQ(folder.listing(), (std::vector<std::string>{"PROG.msg", "PROG.new"}));
  EXPECT_EQ(folder.read("PROG.new"), "NEW\n");
  EXPECT_EQ(folder.read("PROG.msg"), "MESSAGES\n");
}

// The temporary name does not grow with the final name: a name of 255 bytes, the longest a
// folder entry may have, is written.
TEST(OutputSet, TheLongestNameIsWritten) {
  TempFolder folder;
  std::string name(251, 'N');
  name += ".new";
  OutputSet set;
  write_output(set, folder.file(name), "NEW\n");
  ASSERT_EQ(set.commit({}).outcome, CommitResult::kDone);
  EXPECT_EQ(folder.read(name), "NEW\n");
}

// An output whose name denotes a file the run read replaces nothing at all.
TEST(OutputSet, AFileTheRunReadIsNeverReplaced) {
  TempFolder folder;
  folder.write("MEMB", "MEMBER\n");
  fs::create_symlink("MEMB", folder.path() / "PROG.msg");
  FileIdentity member;
  ASSERT_TRUE(identity_of(folder.file("MEMB"), member));
  OutputSet set;
  write_output(set, folder.file("PROG.new"), "NEW\n");
  write_output(set, folder.file("PROG.msg"), "MESSAGES\n");
  CommitResult result = set.commit({member});
  EXPECT_EQ(result.outcome, CommitResult::kReadByRun);
  EXPECT_EQ(result.name, folder.file("PROG.msg"));
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

// A folder is no output; a device is written as it is; a link writes its final target and
// stays a link (a dangling one creates its target, in the target's folder); the same name
// opened again replaces the earlier output of the run.
TEST(OutputSet, FoldersDevicesLinksAndNamesOpenedAgain) {
  TempFolder folder;
  fs::create_directory(folder.path() / "dir");
  fs::create_directory(folder.path() / "lib");
  folder.write("lib/TARGET", "TARGET\n");
  fs::create_symlink("lib/TARGET", folder.path() / "LINK.new");
  fs::create_symlink("LINK.new", folder.path() / "CHAIN.new");
  fs::create_symlink("lib/NEW", folder.path() / "DANGLING.new");
  OutputSet set;
  std::string reason;
  EXPECT_EQ(set.open(folder.file("dir"), reason), nullptr);
  EXPECT_EQ(reason, "Is a directory");
  EXPECT_EQ(set.open(folder.file("missing/PROG.new"), reason), nullptr);
  EXPECT_EQ(reason, "No such file or directory");
  std::unique_ptr<OutputFile> device = set.open("/dev/null", reason);
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(device->name(), "/dev/null");
  write_output(set, folder.file("CHAIN.new"), "THROUGH TWO LINKS\n");
  write_output(set, folder.file("DANGLING.new"), "CREATED\n");
  write_output(set, folder.file("MEMB.new"), "FIRST\n");
  write_output(set, folder.file("MEMB.new"), "SECOND\n");
  ASSERT_EQ(set.commit({}).outcome, CommitResult::kDone);
  EXPECT_EQ(folder.listing(), (std::vector<std::string>{"CHAIN.new", "DANGLING.new", "LINK.new",
                                                        "MEMB.new", "dir", "lib"}));
  EXPECT_TRUE(fs::is_symlink(folder.path() / "CHAIN.new"));
  EXPECT_TRUE(fs::is_symlink(folder.path() / "LINK.new"));
  EXPECT_EQ(folder.read("lib/TARGET"), "THROUGH TWO LINKS\n");
  EXPECT_EQ(folder.read("lib/NEW"), "CREATED\n");
  EXPECT_EQ(folder.read("MEMB.new"), "SECOND\n");
}

// A replaced file keeps its permission bits and its owner and group; a new one gets 0666 less
// the umask.
TEST(OutputSet, ModeAndOwnerAreKept) {
  TempFolder folder;
  folder.write("GROUP.new", "OLD\n");
  folder.write("PRIVATE.new", "OLD\n");
  ASSERT_EQ(chmod(folder.file("GROUP.new").c_str(), 0664), 0);
  ASSERT_EQ(chmod(folder.file("PRIVATE.new").c_str(), 0600), 0);
  // As root the old file can belong to another user, who must keep it.
  bool other_owner = geteuid() == 0 && chown(folder.file("GROUP.new").c_str(), 65534, 65534) == 0;
  mode_t mask = umask(022);
  {
    OutputSet set;
    write_output(set, folder.file("GROUP.new"), "NEW\n");
    write_output(set, folder.file("PRIVATE.new"), "NEW\n");
    write_output(set, folder.file("FRESH.new"), "NEW\n");
    ASSERT_EQ(set.commit({}).outcome, CommitResult::kDone);
  }
  umask(mask);
  EXPECT_EQ(mode_of(folder.file("GROUP.new")), 0664u);
  EXPECT_EQ(mode_of(folder.file("PRIVATE.new")), 0600u);
  EXPECT_EQ(mode_of(folder.file("FRESH.new")), 0644u);
  EXPECT_EQ(folder.read("GROUP.new"), "NEW\n");
  if (other_owner) {
    struct stat status;
    ASSERT_EQ(::stat(folder.file("GROUP.new").c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 65534u);
    EXPECT_EQ(status.st_gid, 65534u);
  }
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

// As a user without privileges: an old output the user may not write is refused at the open,
// and a folder that became unwritable after the outputs were opened stops the commit before
// its first rename.
TEST(OutputSet, WhatMayNotBeWrittenIsRefusedBeforeAnythingIsReplaced) {
  TempFolder folder;
  fs::permissions(folder.path(), fs::perms::all);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(10);
    const std::string work = folder.file("work");
    if (mkdir(work.c_str(), 0755) != 0) _exit(11);
    std::string locked = work + "/LOCKED.new";
    std::FILE* old = std::fopen(locked.c_str(), "w");
    if (old == nullptr || std::fclose(old) != 0 || chmod(locked.c_str(), 0444) != 0) _exit(12);
    OutputSet set;
    std::string reason;
    if (set.open(locked, reason) != nullptr || reason != "Permission denied") _exit(13);
    if (why_old_output_refused(locked) != "Permission denied") _exit(14);
    for (const char* name : {"/A.new", "/B.new"}) {
      std::unique_ptr<OutputFile> file = set.open(work + name, reason);
      if (!file || !file->close()) _exit(15);
    }
    if (chmod(work.c_str(), 0555) != 0) _exit(16);
    CommitResult result = set.commit({});
    chmod(work.c_str(), 0755);
    if (result.outcome != CommitResult::kNotReplaceable || result.name != work + "/A.new" ||
        result.reason != "no temporary file can be made in " + work + ": Permission denied")
      _exit(17);
    if (access((work + "/A.new").c_str(), F_OK) == 0 ||
        access((work + "/B.new").c_str(), F_OK) == 0)
      _exit(18);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the failing step, counted from 10";
}

// Every ending signal removes the temporary files and ends the process by the same signal.
TEST(OutputSet, AnEndingSignalRemovesTheTemporaryFiles) {
  TempFolder folder;
  folder.write("PROG.new", "OLD\n");
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGXFSZ, SIGUSR1, SIGALRM,
                            SIGVTALRM, SIGRTMIN}) {
    SCOPED_TRACE(signal_number);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      struct rlimit no_core = {0, 0};
      setrlimit(RLIMIT_CORE, &no_core);
      OutputSet set;
      std::string reason;
      std::unique_ptr<OutputFile> file = set.open(folder.file("PROG.new"), reason);
      if (!file) _exit(3);
      file->write("PARTIAL\n");
      file->stream();
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

// A signal that the process handles itself reaches its handler, which decides: the temporary
// files stay for the run to go on with; one it ignores stays ignored.
volatile sig_atomic_t handled = 0;
extern "C" void note_handled(int) {
  handled = 1;
}

TEST(OutputSet, SignalsHandledOrIgnoredBeforeStaySo) {
  TempFolder folder;
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGUSR2, note_handled);
    signal(SIGHUP, SIG_IGN);
    OutputSet set;
    std::string reason;
    if (!set.open(folder.file("PROG.new"), reason)) _exit(3);
    raise(SIGHUP);
    if (folder.listing().size() != 1) _exit(4);
    raise(SIGUSR2);
    _exit(handled == 1 && folder.listing().size() == 1 ? 0 : 5);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace text
