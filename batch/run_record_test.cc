// Tests of quillox-all's record: its fields escaped, read back, refused when it is no record,
// unknown lines skipped, and the checksums of contents.
#include "batch/run_record.h"

#include <gtest/gtest.h>

#include <string>

namespace batch {
namespace {

TEST(RunRecord, FieldsAreEscapedAndReadBack) {
  struct Row {
    std::string text;
    std::string field;
  } rows[] = {
      {"app/PROG.zsc", "app/PROG.zsc"}, {"a\tb", "a\\tb"},
      {"line\nend\r", "line\\nend\\r"}, {"back\\slash", "back\\\\slash"},
      {"\\t as text", "\\\\t as text"}, {"", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.field);
    EXPECT_EQ(escape_field(row.text), row.field);
    std::string back;
    ASSERT_TRUE(unescape_field(row.field, back));
    EXPECT_EQ(back, row.text);
  }
  std::string ignored;
  EXPECT_FALSE(unescape_field("ends in \\", ignored));
  EXPECT_FALSE(unescape_field("\\x", ignored));
}

// The record is written in the order of the program paths; each program's output lines follow
// it; reading the text gives the same record.
TEST(RunRecord, WrittenInPathOrderAndReadBack) {
  const std::string sum_a = "sha256:" + std::string(64, 'a');
  const std::string sum_b = "sha256:" + std::string(64, 'b');
  Record record;
  record.programs.push_back({"orders/GOOD.zsc", "converted", "", {{"orders/GOOD.new", sum_a}}});
  record.programs.push_back(
      {"BROKEN.zsc", "failed", "QUILLOX exit code 100", {{"BROKEN.new", sum_b}}});
  record.programs.push_back({"NEW\tTAB.zsc", "not-run", "", {}});
  std::string text = format_record(record);
  EXPECT_EQ(text,
            "quillox-all record 1\n"
            "program\tBROKEN.zsc\tfailed\tQUILLOX exit code 100\n"
            "output\tBROKEN.new\t" +
                sum_b +
                "\n"
                "program\tNEW\\tTAB.zsc\tnot-run\t\n"
                "program\torders/GOOD.zsc\tconverted\t\n"
                "output\torders/GOOD.new\t" +
                sum_a + "\n");
  Record back;
  std::string error;
  ASSERT_TRUE(parse_record(text, back, error)) << error;
  ASSERT_EQ(back.programs.size(), 3u);
  EXPECT_EQ(back.programs[0].reason, "QUILLOX exit code 100");
  EXPECT_EQ(back.programs[1].path, "NEW\tTAB.zsc");
  ASSERT_EQ(back.programs[2].outputs.size(), 1u);
  EXPECT_EQ(back.programs[2].outputs[0].checksum, sum_a);
  EXPECT_EQ(format_record(back), text);
}

// A file that does not start with the header is no record; lines of a later format, broken
// lines and output lines before any program are skipped.
TEST(RunRecord, WhatIsNoRecordAndWhatIsSkipped) {
  Record record;
  std::string error;
  for (const char* text :
       {"", "quillox-all record 2\n", "program\tA.zsc\tconverted\t\n", "quillox-all record 1"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(parse_record(text, record, error));
    EXPECT_EQ(error, "its first line is not \"quillox-all record 1\"");
  }
  const std::string sum = "sha256:" + std::string(64, '0');
  std::string text =
      "quillox-all record 1\n"
      "output\tORPHAN.new\t" +
      sum +
      "\n"
      "program\tA.zsc\tconverted\t\n"
      "output\tA.new\tfnv1a64:0123456789abcdef\n"  // another checksum kind
      "output\tA.msg\t" +
      sum +
      "\n"
      "output\tA\\qbad\t" +
      sum +
      "\n"
      "future\tline\n"
      "program\tB.zsc\tlost\t\n"  // no such state
      "program\tC.zsc\trefused-edited\tC.new was changed\n";
  ASSERT_TRUE(parse_record(text, record, error));
  ASSERT_EQ(record.programs.size(), 2u);
  EXPECT_EQ(record.programs[0].path, "A.zsc");
  ASSERT_EQ(record.programs[0].outputs.size(), 1u);
  EXPECT_EQ(record.programs[0].outputs[0].path, "A.msg");
  EXPECT_EQ(record.programs[1].state, "refused-edited");
  EXPECT_EQ(record.programs[1].reason, "C.new was changed");
}

// SHA-256 of known texts, as any other implementation gives them.
TEST(RunRecord, ChecksumOfContents) {
  EXPECT_EQ(checksum_of(""),
            "sha256:e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(checksum_of("abc"),
            "sha256:ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  // 56 bytes: the length no longer fits in the first block.
  EXPECT_EQ(checksum_of("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "sha256:248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  // Many whole blocks.
  EXPECT_EQ(checksum_of(std::string(1000000, 'a')),
            "sha256:cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

}  // namespace
}  // namespace batch
