// Tests of the converter's text files: line pieces on reading, padding and write failures.
#include "text/text_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_files.h"

namespace text {
namespace {

using test_support::MemoryFile;
using test_support::pad80;
using test_support::TempFolder;

// `count` characters of a repeating pattern, so that pieces cut in the wrong place differ.
std::string text_of(std::size_t count, char first = 'A') {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text.push_back(static_cast<char>(first + i % 26));
  return text;
}

// Every piece a reader hands out for `contents`, read with the converter's piece length.
std::vector<std::string> pieces_of(const std::string& contents) {
  MemoryFile file;
  file.set(contents);
  LineReader reader(file.release(), "memory");
  std::vector<std::string> pieces;
  std::string piece = "left over";
  while (reader.read_piece(piece)) pieces.push_back(piece);
  EXPECT_EQ(piece, "");
  EXPECT_FALSE(reader.failed());
  return pieces;
}

// Contents of a file and the pieces a reader hands out for it.
struct PieceRow {
  const char* why;
  std::string contents;
  std::vector<std::string> expected;
};

void check_pieces(const std::vector<PieceRow>& rows) {
  for (const PieceRow& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(pieces_of(row.contents), row.expected);
  }
}

TEST(TextFiles, LinesArriveInPiecesOf254) {
  const std::string l253 = text_of(253);
  const std::string l254 = text_of(254);
  const std::string l300 = text_of(300);
  const std::string l508 = text_of(508);
  check_pieces({
      {"empty file", "", {}},
      {"one empty line", "\n", {""}},
      {"two empty lines", "\n\n", {"", ""}},
      {"last line without line end", "ABC\nDEF", {"ABC", "DEF"}},
      {"single line without line end", "ABC", {"ABC"}},
      {"253 characters and LF: one piece", l253 + "\n", {l253}},
      {"253 characters without line end", l253, {l253}},
      {"254 characters and LF: the piece and an empty one", l254 + "\n", {l254, ""}},
      {"254 characters without line end", l254, {l254}},
      {"300 characters and LF", l300 + "\nNEXT\n", {l300.substr(0, 254), l300.substr(254), "NEXT"}},
      {"300 characters without line end", l300, {l300.substr(0, 254), l300.substr(254)}},
      {"508 characters and LF", l508 + "\n", {l508.substr(0, 254), l508.substr(254), ""}},
  });
}

TEST(TextFiles, CarriageReturnBeforeLineFeedIsPartOfTheLineEnd) {
  const std::string l252 = text_of(252);
  const std::string l253 = text_of(253);
  const std::string l254 = text_of(254);
  const std::string l300 = text_of(300);
  check_pieces({
      {"CRLF lines", "ABC\r\nDEF\r\n", {"ABC", "DEF"}},
      {"empty CRLF line", "\r\n", {""}},
      {"252 characters and CRLF", l252 + "\r\n", {l252}},
      {"253 characters and CRLF: one piece", l253 + "\r\nX\r\n", {l253, "X"}},
      {"254 characters and CRLF: the piece and an empty one", l254 + "\r\n", {l254, ""}},
      {"300 characters and CRLF", l300 + "\r\n", {l300.substr(0, 254), l300.substr(254)}},
      {"lone CR inside a line", "AB\rC\n", {"AB\rC"}},
      {"lone CR at the start of a line", "\rABC\n", {"\rABC"}},
      {"only the CR next to the LF goes", "ABC\r\r\n", {"ABC\r"}},
      {"CR at the end of the file", "ABC\r", {"ABC\r"}},
      {"CR LF LF", "A\r\n\n", {"A", ""}},
      {"lone CR at the 254th place counts", l253 + "\rY\n", {l253 + "\r", "Y"}},
      {"CR at the 255th place and LF", l254 + "\r\n", {l254, ""}},
  });
}

TEST(TextFiles, NulAndBytesAbove127AreText) {
  check_pieces({
      {"NUL inside a line", std::string("A\0B\nC\n", 6), {std::string("A\0B", 3), "C"}},
      {"NUL alone", std::string("\0\n", 2), {std::string(1, '\0')}},
      {"NUL at the end of the file", std::string("AB\0", 3), {std::string("AB\0", 3)}},
      {"bytes above 127", "\xE9\xFF\x80\n", {"\xE9\xFF\x80"}},
  });
  // A NUL does not end a piece early: 254 bytes, NULs among them, make a full piece.
  std::string with_nul = std::string(100, '\0') + text_of(154) + "REST\n";
  EXPECT_EQ(pieces_of(with_nul), (std::vector<std::string>{with_nul.substr(0, 254), "REST"}));
}

TEST(TextFiles, LineEndsAcrossTheReadBuffer) {
  // Ten-character lines ending in CRLF fill the first 65536 bytes but for 8; a short line then
  // puts its CR at the last byte of the buffer and its LF at the first byte of the next.
  std::string contents;
  std::vector<std::string> expected;
  for (int i = 0; i < 5957; ++i) {
    contents += "ABCDEFGHI\r\n";
    expected.push_back("ABCDEFGHI");
  }
  ASSERT_EQ(contents.size(), 65527u);
  contents += "12345678\r\n";
  expected.push_back("12345678");
  contents += "LAST\r\n";
  expected.push_back("LAST");
  EXPECT_EQ(pieces_of(contents), expected);

  // The same for a full piece: 253 characters and CRLF whose CR is the last byte of the buffer.
  std::string second;
  std::vector<std::string> second_expected;
  for (int i = 0; i < 5934; ++i) {
    second += "ABCDEFGHI\r\n";
    second_expected.push_back("ABCDEFGHI");
  }
  second += "123456\r\n";
  second_expected.push_back("123456");
  ASSERT_EQ(second.size(), 65536u - 254u);
  const std::string l253 = text_of(253);
  second += l253 + "\r\nEND\r\n";
  second_expected.push_back(l253);
  second_expected.push_back("END");
  EXPECT_EQ(pieces_of(second), second_expected);
}

TEST(TextFiles, ReadFailureEndsTheInput) {
  TempFolder folder;
  // A stream open for writing only cannot be read: the reader ends and remembers the failure.
  std::FILE* stream = std::fopen(folder.file("out").c_str(), "w");
  ASSERT_NE(stream, nullptr);
  LineReader reader(stream, "out");
  std::string piece = "x";
  EXPECT_FALSE(reader.read_piece(piece));
  EXPECT_EQ(piece, "");
  EXPECT_TRUE(reader.failed());
  EXPECT_EQ(reader.name(), "out");
}

// Only a regular file is read, links followed; anything else is refused with the reason, and a
// FIFO without a writer does not block the opening.
TEST(TextFiles, OpeningForReading) {
  TempFolder folder;
  folder.write("PROG.zsc", "LINE\n");
  std::filesystem::create_directory(folder.path() / "dir.zsc");
  ASSERT_EQ(mkfifo(folder.file("fifo.zsc").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", folder.path() / "zero.zsc");
  std::filesystem::create_symlink("PROG.zsc", folder.path() / "link.zsc");
  struct Case {
    const char* name;
    const char* reason;  // nullptr: read
  } rows[] = {
      {"missing.zsc", "No such file or directory"},
      {"dir.zsc", "Is a directory"},
      {"fifo.zsc", "not a regular file"},
      {"zero.zsc", "not a regular file"},
      {"PROG.zsc", nullptr},
      {"link.zsc", nullptr},
  };
  for (const Case& row : rows) {
    SCOPED_TRACE(row.name);
    std::string reason;
    std::unique_ptr<LineReader> reader = LineReader::open(folder.file(row.name), &reason);
    if (row.reason != nullptr) {
      EXPECT_EQ(reader, nullptr);
      EXPECT_EQ(reason, row.reason);
      continue;
    }
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->name(), folder.file(row.name));
    std::string piece;
    EXPECT_TRUE(reader->read_piece(piece));
    EXPECT_EQ(piece, "LINE");
    EXPECT_FALSE(reader->read_piece(piece));
  }
}

// What an output file holds after `write` did its work and the file was closed.
template <typename Write>
std::string written(Write write) {
  TempFolder folder;
  std::FILE* stream = std::fopen(folder.file("out").c_str(), "wb");
  EXPECT_NE(stream, nullptr);
  if (stream == nullptr) return "";
  auto file = std::make_unique<OutputFile>(stream, folder.file("out"));
  write(*file);
  EXPECT_TRUE(file->close());
  EXPECT_FALSE(file->failed());
  return folder.read("out");
}

TEST(TextFiles, WritePaddedFillsTo80AndNeverCuts) {
  struct Row {
    const char* why;
    std::string text;
    std::string expected;
  } rows[] = {
      {"empty line", "", std::string(80, ' ') + "\n"},
      {"short line", "       MOVE A TO B.", "       MOVE A TO B." + std::string(61, ' ') + "\n"},
      {"72 characters get 8 blanks", text_of(72), text_of(72) + "        \n"},
      {"79 characters get one blank", text_of(79), text_of(79) + " \n"},
      {"80 characters stay as they are", text_of(80), text_of(80) + "\n"},
      {"longer lines are written whole", text_of(254), text_of(254) + "\n"},
      {"trailing blanks count", "AB  ", "AB" + std::string(78, ' ') + "\n"},
      {"NUL counts as a character", std::string("A\0B", 3),
       std::string("A\0B", 3) + std::string(77, ' ') + "\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(written([&](OutputFile& out) { out.write_padded(row.text); }), row.expected);
  }
  EXPECT_EQ(written([](OutputFile& out) { out.write_padded("AB", 10); }), "AB        \n");
  EXPECT_EQ(written([](OutputFile& out) { out.write_padded("ABCDEFGHIJKL", 10); }),
            "ABCDEFGHIJKL\n");
  EXPECT_EQ(pad80("       MOVE A TO B.") + "\n",
            "       MOVE A TO B." + std::string(61, ' ') + "\n");
}

TEST(TextFiles, WriteLineWriteAndPrint) {
  EXPECT_EQ(written([](OutputFile& out) {
              out.write("       01 KVZCOMMAREA.\n");
              out.write_line("  ABC  ");
              out.write_line("");
              out.print("line %.4d - %s\n", {6, "LINKAGE SECTION INSERTED"});
              out.print("%-10s|\n", {"AB"});
            }),
            "       01 KVZCOMMAREA.\n"
            "  ABC  \n"
            "\n"
            "line 0006 - LINKAGE SECTION INSERTED\n"
            "AB        |\n");
}

TEST(TextFiles, WriteFailureIsDetectedAtCloseAndSticks) {
  auto file = std::make_unique<OutputFile>(std::fopen("/dev/full", "wb"), "/dev/full");
  ASSERT_NE(file, nullptr);
  file->write_padded("       IDENTIFICATION DIVISION.");
  // The write is buffered; the failure shows when the file is closed.
  EXPECT_FALSE(file->close());
  EXPECT_TRUE(file->failed());
  // Closing again, or writing to the closed file, does not clear it.
  file->write("more");
  EXPECT_FALSE(file->close());
  EXPECT_TRUE(file->failed());
}

TEST(TextFiles, WriteFailureOfALargeOutputIsDetected) {
  auto file = std::make_unique<OutputFile>(std::fopen("/dev/full", "wb"), "/dev/full");
  ASSERT_NE(file, nullptr);
  for (int i = 0; i < 2000; ++i) file->write_padded(text_of(72));
  EXPECT_TRUE(file->failed());
  EXPECT_FALSE(file->close());
}

}  // namespace
}  // namespace text
