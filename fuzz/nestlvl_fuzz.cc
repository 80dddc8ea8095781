// Fuzz target: NESTLVL in-process, checked against a plain statement of its rule.
//
// The input is the copybook (CUST.cpy). The target runs "NESTLVL CUST.cpy" in a fresh working
// folder and also copies the input through `copy_raising_levels` in small chunks (1 to 64 bytes,
// from the input's first byte), so that level numbers and line ends fall across chunk borders.
// Both results must equal what the rule gives when each line is taken whole: the first word from
// column 8, when it is two digits (followed by a blank, a tab or the line end, a carriage return
// before the line feed included), raised by one (09 to 10; 49, 66, 77 and 88 kept; 99 kept and
// reported); comment and continuation lines ("*" or "-" in column 7) unchanged; every other byte
// copied.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_folder.h"
#include "levelshift/level_shifter.h"

namespace {

void fail(const char* what) {
  std::fprintf(stderr, "nestlvl_fuzz: %s\n", what);
  std::abort();
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// The copy and message file that the rule gives for `text`.
void expected_copy(std::string_view text, std::string& copy, std::string& notes, long long& lines) {
  copy.assign(text);
  notes.clear();
  lines = 0;
  std::size_t start = 0;
  while (start < copy.size()) {
    std::size_t end = copy.find('\n', start);
    end = end == std::string::npos ? copy.size() : end + 1;
    ++lines;
    // The line's text, without its line end.
    std::size_t text_end = end;
    if (text_end > start && copy[text_end - 1] == '\n') --text_end;
    if (text_end < end && text_end > start && copy[text_end - 1] == '\r') --text_end;
    std::size_t size = end - start;
    if (size > 6 && copy[start + 6] != '*' && copy[start + 6] != '-') {
      std::size_t at = start + 7;
      while (at < text_end && copy[at] == ' ') ++at;
      bool pair = at + 1 < text_end && is_digit(copy[at]) && is_digit(copy[at + 1]);
      bool word_ends = at + 2 >= text_end || copy[at + 2] == ' ' || copy[at + 2] == '\t';
      std::string_view number = pair ? std::string_view(copy).substr(at, 2) : "";
      bool kept = number == "49" || number == "66" || number == "77" || number == "88";
      if (pair && word_ends && !kept) {
        if (copy[at] == '9' && copy[at + 1] == '9') {
          notes += "Level number 99 left unchanged at line " + std::to_string(lines) + "\n";
        } else if (copy[at + 1] == '9') {
          copy[at + 1] = '0';
          ++copy[at];
        } else {
          ++copy[at + 1];
        }
      }
    }
    start = end;
  }
}

std::string counts(long long lines) {
  std::vector<char> text(128);
  int size = std::snprintf(text.data(), text.size(),
                           "\nInput lines read %5lld\nOutput lines written %5lld\n", lines, lines);
  return std::string(text.data(), static_cast<std::size_t>(size));
}

std::string contents_of(std::FILE* file) {
  std::string all;
  std::rewind(file);
  std::vector<char> buffer(4096);
  std::size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
    all.append(buffer.data(), got);
  return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string copy;
  std::string notes;
  long long lines = 0;
  expected_copy(text, copy, notes, lines);

  {
    fuzz_support::WorkingFolder folder;
    if (!folder.ok()) fail("cannot make a working folder");
    if (!fuzz_support::write_file("CUST.cpy", text)) fail("cannot write the input");
    std::FILE* console = std::tmpfile();
    std::FILE* errors = std::tmpfile();
    if (console == nullptr || errors == nullptr) fail("cannot make temporary files");
    int code = levelshift::run_level_shifter({"CUST.cpy"}, console, errors);
    if (code != 0) fail("the run did not end with exit code 0");
    if (!contents_of(console).empty() || !contents_of(errors).empty())
      fail("the run printed something");
    std::fclose(console);
    std::fclose(errors);
    std::string written;
    if (!fuzz_support::read_file("CUST.cpy", written) || written != text)
      fail("the input was changed");
    if (!fuzz_support::read_file("CUST.new", written) || written != copy)
      fail("the copy differs from the rule");
    if (!fuzz_support::read_file("CUST.msg", written) || written != counts(lines) + notes)
      fail("the message file differs from the rule");
  }

  // The same copy in small chunks.
  std::size_t chunk_size = size == 0 ? 1 : 1 + data[0] % 64;
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  if (in == nullptr || out == nullptr) fail("cannot make temporary files");
  if (std::fwrite(text.data(), 1, text.size(), in) != text.size()) fail("cannot write the input");
  std::rewind(in);
  levelshift::NoteSpool spool;
  levelshift::CopyResult result = levelshift::copy_raising_levels(in, out, spool, chunk_size);
  if (result.read_failed || result.write_failed) fail("the chunked copy failed");
  if (result.line_count != lines) fail("the chunked copy counted another number of lines");
  if (contents_of(out) != copy) fail("the chunked copy differs from the rule");
  std::FILE* spooled = std::tmpfile();
  if (spooled == nullptr || !spool.write_to(spooled)) fail("cannot write the notes");
  if (contents_of(spooled) != notes) fail("the chunked copy's notes differ from the rule");
  std::fclose(spooled);
  std::fclose(in);
  std::fclose(out);
  return 0;
}
