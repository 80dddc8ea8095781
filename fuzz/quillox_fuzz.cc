// Fuzz target: one whole QUILLOX run, in-process, in a fresh working folder.
//
// The input is cut at the byte 0x1E into the program to convert (PROG.zsc), a copybook member
// (MEMB, which the program and the member itself may copy) and the front-end template
// (NEWDSP4.TXT). The run is "QUILLOX PROG NEWPROG.cbl FRONTEND.cbl", so the PROGRAM-ID change
// and the front-end generator take part. Besides the sanitizers, the target checks that every
// run ends with exit code 0 (every file is writable here), that the files it reads are left
// as they were, that the converted program and the message file exist, and that the report's
// reader accepts the message file: the writer and the reader of that format never drift apart.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "converter/driver/command_line.h"
#include "fuzz/fuzz_folder.h"
#include "report/message_file.h"

namespace {

constexpr char kPartSeparator = '\x1e';

void fail(const char* what) {
  std::fprintf(stderr, "quillox_fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string_view> parts = fuzz_support::split_input(data, size, kPartSeparator, 3);
  if (fuzz_support::could_leave_folder(parts[0]) || fuzz_support::could_leave_folder(parts[1]))
    return -1;

  fuzz_support::WorkingFolder folder;
  if (!folder.ok()) fail("cannot make a working folder");
  const std::vector<std::pair<std::string, std::string_view>> inputs = {
      {"PROG.zsc", parts[0]}, {"MEMB", parts[1]}, {"NEWDSP4.TXT", parts[2]}};
  for (const auto& [name, contents] : inputs)
    if (!fuzz_support::write_file(name, contents)) fail("cannot write an input file");

  int code = converter::run_converter({"PROG", "NEWPROG.cbl", "FRONTEND.cbl"});
  std::fflush(stdout);

  if (code != 0) fail("the run did not end with exit code 0");
  std::string contents;
  for (const auto& [name, expected] : inputs) {
    if (!fuzz_support::read_file(name, contents)) fail("an input file is gone");
    if (contents != expected) fail("an input file was changed");
  }
  if (!fuzz_support::file_exists("NEWPROG.cbl")) fail("no converted program");
  if (!fuzz_support::read_file("PROG.msg", contents)) fail("no message file");
  report::ProgramSummary summary;
  std::string error;
  if (report::read_message_file(contents, summary, error) != report::MessageFileKind::kConversion) {
    std::fprintf(stderr, "quillox_fuzz: the report refuses the message file: %s\n", error.c_str());
    std::abort();
  }
  return 0;
}
