// Tests of the attention-key capture of HANDLE AID and of the blocks written after RECEIVE MAP.
#include "converter/commands/attention_keys.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/conversion_harness.h"
#include "tests/support/test_files.h"

namespace converter {
namespace {

using test_support::RunHarness;

constexpr std::size_t kNone = std::string_view::npos;

// The text of a one-line HANDLE AID command as the assembly hands it over: columns 8 on, upper
// case, END-EXEC and its period included.
std::string handle_aid_text(std::string_view options) {
  return "    EXEC ZARN HANDLE AID " + std::string(options) + " END-EXEC.";
}

struct CaptureRow {
  const char* options;   // what follows HANDLE AID in the command
  const char* handlers;  // the entries recorded
  const char* messages;  // the message file, with the command beginning on output line 42
};

void check_capture(const CaptureRow& row) {
  SCOPED_TRACE(row.options);
  RunHarness harness;
  std::string text = handle_aid_text(row.options);
  capture_aid_keys(harness.run, text, text.find("AID"), 41);
  EXPECT_EQ(harness.run.aid_handlers, row.handlers);
  EXPECT_EQ(harness.messages(), row.messages);
}

TEST(AttentionKeys, PfKeysAreRecordedWithTwoDigits) {
  const CaptureRow rows[] = {
      {"PF3(END-RTN)", "&PF03=END-RTN", ""},
      {"PF03(END-RTN)", "&PF03=END-RTN", ""},
      {"PF1(A) PF9(B) PF09(C)", "&PF01=A&PF09=B&PF09=C", ""},
      {"PF10(A) PF12(B) PF24(C)", "&PF10=A&PF12=B&PF24=C", ""},
      {"PF3(A) PF03(B)", "&PF03=A&PF03=B", ""},
      {"PF3 (A)", "&PF03=A", ""},
      {"PF3   (A)    PF4(B)", "&PF03=A&PF04=B", ""},
  };
  for (const CaptureRow& row : rows) check_capture(row);
}

TEST(AttentionKeys, PfKeysOutsideOneToTwentyFourAreRejected) {
  const CaptureRow rows[] = {
      {"PF0(A)", "", "line 0042 - Invalid PF Key\n"},
      {"PF00(A)", "", "line 0042 - Invalid PF Key\n"},
      {"PF25(A)", "", "line 0042 - Invalid PF Key\n"},
      {"PF99(A)", "", "line 0042 - Invalid PF Key\n"},
      {"PF25(A) PF24(B)", "&PF24=B", "line 0042 - Invalid PF Key\n"},
      // PF without a digit is no key and no message.
      {"PFX(A)", "", ""},
      {"PF(A)", "", ""},
  };
  for (const CaptureRow& row : rows) check_capture(row);
}

TEST(AttentionKeys, PaKeysOneToThreeOnly) {
  const CaptureRow rows[] = {
      {"PA1(A) PA2(B) PA3(C)", "&PA1=A&PA2=B&PA3=C", ""},
      {"PA4(X)", "", "line 0042 - Invalid PA Key\n"},
      {"PA(X)", "", "line 0042 - Invalid PA Key\n"},
      {"PA0(X) PA2(Y)", "&PA2=Y", "line 0042 - Invalid PA Key\n"},
  };
  for (const CaptureRow& row : rows) check_capture(row);
}

TEST(AttentionKeys, NamedKeysAndTheirShortFormsWhichAreNotOptions) {
  const CaptureRow rows[] = {
      {"CLEAR(CLR-RTN)", "&CLEAR=CLR-RTN", ""},
      {"LIGHTPEN(P)", "&PEN=P", ""},
      {"TRIGGER(T)", "&TRIG=T", ""},
      {"OPERID(O)", "&OPID=O", ""},
      {"LIGHTPEN(P) TRIGGER(T) OPERID(O) CLEAR(C)", "&PEN=P&TRIG=T&OPID=O&CLEAR=C", ""},
      {"PEN(P) TRIG(T) OPID(O)", "", ""},
      // ENTER and ANYKEY (any key but ENTER) are keys of their own.
      {"ENTER(E) ANYKEY(A)", "&ENTER=E&ANYKEY=A", ""},
      {"ANYKEY(A) PF3(B) ENTER(C)", "&ANYKEY=A&PF03=B&ENTER=C", ""},
      {"PF3(END-RTN) CLEAR(CLR-RTN)", "&PF03=END-RTN&CLEAR=CLR-RTN", ""},
  };
  for (const CaptureRow& row : rows) check_capture(row);
}

// Text that no capture consumes is scanned one character at a time, so key names inside it
// are acted on.
TEST(AttentionKeys, KeyNamesInsideUnconsumedTextAreActedOn) {
  const CaptureRow rows[] = {
      {"WAIT(PAY-RTN)", "", "line 0042 - Invalid PA Key\n"},
      {"NOKEY(CLEAR)", "", ""},
      // A recorded label is consumed whole, whatever key names it holds.
      {"ENTER(PAY-RTN)", "&ENTER=PAY-RTN", ""},
      {"ANYKEY(CLEAR)", "&ANYKEY=CLEAR", ""},
      // The label of a rejected key is scanned too.
      {"PF25(PA7)", "", "line 0042 - Invalid PF Key\nline 0042 - Invalid PA Key\n"},
      {"PF25(PF4-RTN)", "", "line 0042 - Invalid PF Key\n"},
      // A recorded label is consumed whole.
      {"PF3(PA7-RTN)", "&PF03=PA7-RTN", ""},
      {"PF3(A) WAIT(PAY-RTN) PA1(B)", "&PF03=A&PA1=B", "line 0042 - Invalid PA Key\n"},
  };
  for (const CaptureRow& row : rows) check_capture(row);
}

// An option right after the previous closing parenthesis is found only when its test comes
// later in a pass than the test that captured the previous option.
TEST(AttentionKeys, OptionsWithoutBlankBetweenFollowTheTestOrder) {
  const CaptureRow rows[] = {
      {"PF3(A)CLEAR(B)", "&PF03=A&CLEAR=B", ""},
      {"PF3(A)PA1(B)", "&PF03=A&PA1=B", ""},
      {"PF3(A)PF4(B)", "&PF03=A", ""},
      {"PA1(A)PF3(B)", "&PA1=A", ""},
      {"CLEAR(A)PF4(B)", "&CLEAR=A", ""},
      {"CLEAR(A)LIGHTPEN(B)TRIGGER(C)OPERID(D)", "&CLEAR=A&PEN=B&TRIG=C&OPID=D", ""},
      {"OPERID(A)CLEAR(B)", "&OPID=A", ""},
      {"OPERID(A)ENTER(B)ANYKEY(C)", "&OPID=A&ENTER=B&ANYKEY=C", ""},
      {"ANYKEY(A)ENTER(B)", "&ANYKEY=A", ""},
  };
  for (const CaptureRow& row : rows) check_capture(row);
}

TEST(AttentionKeys, KeysWithoutAProperLabelRecordNothing) {
  const CaptureRow rows[] = {
      // PF12 is checked, then the digit 3 stands where the parenthesis belongs.
      {"PF123(X)", "", ""},
      {"PF3", "", ""},
      {"PF3 X(A)", "", ""},
      {"PF3()", "&PF03=", ""},
      // Without a closing parenthesis the label is the rest of the text and the scan ends.
      {"PF3(ABC CLEAR", "&PF03=ABC CLEAR END-EXEC.", ""},
      // The label runs to the first closing parenthesis, wherever it stands.
      {"PF3(ABC CLEAR(X)", "&PF03=ABC CLEAR(X", ""},
  };
  for (const CaptureRow& row : rows) check_capture(row);
}

TEST(AttentionKeys, LabelsAreCutTo32Characters) {
  const CaptureRow rows[] = {
      {"PF3(ABCDEFGHIJKLMNOPQRSTUVWXYZ-1234567890)", "&PF03=ABCDEFGHIJKLMNOPQRSTUVWXYZ-12345", ""},
      {"PF3(ABCDEFGHIJKLMNOPQRSTUVWXYZ-12345)", "&PF03=ABCDEFGHIJKLMNOPQRSTUVWXYZ-12345", ""},
      {"CLEAR(ABCDEFGHIJKLMNOPQRSTUVWXYZ-123456) PF4(B)",
       "&CLEAR=ABCDEFGHIJKLMNOPQRSTUVWXYZ-12345&PF04=B", ""},
  };
  for (const CaptureRow& row : rows) check_capture(row);
}

TEST(AttentionKeys, EveryEntryIsKeptHoweverManyThereAre) {
  RunHarness harness;
  std::string options;
  std::string expected;
  const std::string label = "LABEL-OF-THIRTY-TWO-CHARACTERS-X";
  ASSERT_EQ(label.size(), 32u);
  for (int round = 0; round < 3; ++round) {
    for (int key = 1; key <= 24; ++key) {
      options += "PF" + std::to_string(key) + "(" + label + ") ";
      expected += "&PF" + std::string(key < 10 ? "0" : "") + std::to_string(key) + "=" + label;
    }
  }
  std::string text = handle_aid_text(options);
  capture_aid_keys(harness.run, text, text.find("AID"), 0);
  EXPECT_GT(expected.size(), 999u);
  EXPECT_EQ(harness.run.aid_handlers, expected);
  EXPECT_EQ(harness.messages(), "");
}

TEST(AttentionKeys, NothingToScanAfterTheWordAid) {
  const std::string texts[] = {"HANDLE AID", "HANDLE AID ", "HANDLE AID  "};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    RunHarness harness;
    capture_aid_keys(harness.run, text, text.find("AID"), 0);
    EXPECT_EQ(harness.run.aid_handlers, "");
    EXPECT_EQ(harness.messages(), "");
  }
}

TEST(AttentionKeys, AppendAidEntry) {
  struct Row {
    const char* text;
    std::size_t position;
    const char* handlers;
    std::size_t next;
  };
  const Row rows[] = {
      {"(END-RTN) CLEAR", 0, "&CLEAR=X&PF03=END-RTN", 9},
      {"   (A) B", 0, "&CLEAR=X&PF03=A", 6},
      {"PF3(A)", 3, "&CLEAR=X&PF03=A", 6},
      {"X(A)", 0, "&CLEAR=X", 1},
      {"PF3 Z(A)", 3, "&CLEAR=X", 5},
      {"   ", 0, "&CLEAR=X", kNone},
      {"", 0, "&CLEAR=X", kNone},
      {"(ABC", 0, "&CLEAR=X&PF03=ABC", kNone},
      {"()", 0, "&CLEAR=X&PF03=", 2},
      {"(ABCDEFGHIJKLMNOPQRSTUVWXYZ-1234567890)", 0,
       "&CLEAR=X&PF03=ABCDEFGHIJKLMNOPQRSTUVWXYZ-12345", 39},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    std::string handlers = "&CLEAR=X";
    EXPECT_EQ(append_aid_entry(handlers, row.text, "PF03", row.position), row.next);
    EXPECT_EQ(handlers, row.handlers);
  }
}

TEST(AttentionKeys, ConstantNames) {
  struct Row {
    const char* entry;
    const char* constant;
  };
  const Row rows[] = {
      {"PF01=A", "KVZPF1"},  {"PF05=A", "KVZPF5"},  {"PF09", "KVZPF9"},      {"PF10=A", "KVZPF10"},
      {"PF12=A", "KVZPF12"}, {"PF20=A", "KVZPF20"}, {"PF24=A", "KVZPF24"},   {"PA1=A", "KVZPA1"},
      {"PA2=A", "KVZPA2"},   {"PA3=A", "KVZPA3"},   {"CLEAR=A", "KVZCLEAR"}, {"PEN=A", "KVZPEN"},
      {"OPID=A", "KVZOPID"}, {"TRIG=A", "KVZTRIG"}, {"ENTER=A", "KVZENTER"}, {"ANYKEY=A", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.entry);
    EXPECT_EQ(aid_constant_name(row.entry), row.constant);
  }
}

TEST(AttentionKeys, AidBlocksOnePerEntryUnpadded) {
  RunHarness harness;
  harness.run.output_line_count = 20;
  harness.run.aid_handlers = "&PF03=END-RTN&CLEAR=CLR-RTN";
  emit_aid_blocks(harness.run, "           ", "");
  EXPECT_EQ(harness.output(),
            "           IF USRAID IS EQUAL TO KVZPF3\n"
            "               GO TO END-RTN\n"
            "           END-IF\n"
            "           IF USRAID IS EQUAL TO KVZCLEAR\n"
            "               GO TO CLR-RTN\n"
            "           END-IF\n");
  EXPECT_EQ(harness.run.output_line_count, 26);
  // The first attention-key test of a run that never copied KVZAID names the missing copy.
  EXPECT_EQ(harness.messages(),
            "line 0021 - HANDLE AID statements inserted for EXEC ZARN RECEIVE\n"
            "line 0021 - *** KVZAID is not copied - the attention-key tests need its constants\n");
}

// The KVZAID message is only for the run's first attention-key test, and only when no COPY of
// KVZAID came before it.
TEST(AttentionKeys, KvzaidMessageAtTheFirstTestWithoutTheCopy) {
  const std::string kInserted = "HANDLE AID statements inserted for EXEC ZARN RECEIVE\n";
  const std::string kNotCopied =
      "*** KVZAID is not copied - the attention-key tests need its constants\n";
  {
    SCOPED_TRACE("copied before the first test");
    RunHarness harness;
    harness.run.aid_handlers = "&PF03=END-RTN";
    harness.run.kvzaid_copied = true;
    emit_aid_blocks(harness.run, "           ", "");
    EXPECT_EQ(harness.messages(), "line 0001 - " + kInserted);
  }
  {
    SCOPED_TRACE("copied only after the first test: named once, at the first");
    RunHarness harness;
    harness.run.aid_handlers = "&PF03=END-RTN";
    emit_aid_blocks(harness.run, "           ", "");
    harness.run.kvzaid_copied = true;
    emit_aid_blocks(harness.run, "           ", "");
    emit_aid_blocks(harness.run, "           ", "");
    EXPECT_EQ(harness.messages(), "line 0001 - " + kInserted + "line 0001 - " + kNotCopied +
                                      "line 0004 - " + kInserted + "line 0007 - " + kInserted);
  }
}

// ANYKEY stands for every key without a block of its own but ENTER: its block comes after all
// the others, wherever it was named; of two, the last one named counts. The command's ending
// goes on the last END-IF.
TEST(AttentionKeys, AnyKeyBlockComesLast) {
  const struct {
    const char* handlers;
    const char* ending;
    const char* expected;
  } rows[] = {
      {"&ANYKEY=OTHER&PF03=END-RTN", ".",
       "           IF USRAID IS EQUAL TO KVZPF3\n"
       "               GO TO END-RTN\n"
       "           END-IF\n"
       "           IF USRAID IS NOT EQUAL TO KVZENTER\n"
       "               GO TO OTHER\n"
       "           END-IF.\n"},
      {"&PF03=END-RTN&ENTER=GO-ON&ANYKEY=OTHER", " ",
       "           IF USRAID IS EQUAL TO KVZPF3\n"
       "               GO TO END-RTN\n"
       "           END-IF\n"
       "           IF USRAID IS EQUAL TO KVZENTER\n"
       "               GO TO GO-ON\n"
       "           END-IF\n"
       "           IF USRAID IS NOT EQUAL TO KVZENTER\n"
       "               GO TO OTHER\n"
       "           END-IF \n"},
      {"&ANYKEY=FIRST&ANYKEY=SECOND", ".",
       "           IF USRAID IS NOT EQUAL TO KVZENTER\n"
       "               GO TO SECOND\n"
       "           END-IF.\n"},
      {"&CLEAR=CLR&PA1=P1", ".",
       "           IF USRAID IS EQUAL TO KVZCLEAR\n"
       "               GO TO CLR\n"
       "           END-IF\n"
       "           IF USRAID IS EQUAL TO KVZPA1\n"
       "               GO TO P1\n"
       "           END-IF.\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.handlers);
    RunHarness harness;
    harness.run.kvzaid_copied = true;
    harness.run.aid_handlers = row.handlers;
    emit_aid_blocks(harness.run, "           ", row.ending);
    EXPECT_EQ(harness.output(), row.expected);
  }
}

TEST(AttentionKeys, AidBlocksFollowAWideIndentation) {
  RunHarness harness;
  harness.run.aid_handlers = "&PF12=A&PA2=B";
  emit_aid_blocks(harness.run, std::string(20, ' '), "");
  EXPECT_EQ(harness.output(),
            "                    IF USRAID IS EQUAL TO KVZPF12\n"
            "                        GO TO A\n"
            "                    END-IF\n"
            "                    IF USRAID IS EQUAL TO KVZPA2\n"
            "                        GO TO B\n"
            "                    END-IF\n");
  EXPECT_EQ(harness.run.output_line_count, 6);
}

// A label that would reach past column 72 continues on a line of its own, 4 columns further in.
TEST(AttentionKeys, AidBlockLineKeptWithinColumn72) {
  RunHarness harness;
  harness.run.output_line_count = 7;
  harness.run.aid_handlers = "&PF01=LABEL-OF-THIRTY-TWO-CHARACTERS-X";
  harness.run.kvzaid_copied = true;
  emit_aid_blocks(harness.run, std::string(32, ' '), "");
  EXPECT_EQ(harness.output(), std::string(32, ' ') + "IF USRAID IS EQUAL TO KVZPF1\n" +
                                  std::string(36, ' ') + "GO TO\n" + std::string(40, ' ') +
                                  "LABEL-OF-THIRTY-TWO-CHARACTERS-X\n" + std::string(32, ' ') +
                                  "END-IF\n");
  EXPECT_EQ(harness.run.output_line_count, 11);
  EXPECT_EQ(harness.messages(),
            "line 0008 - HANDLE AID statements inserted for EXEC ZARN RECEIVE\n");
}

TEST(AttentionKeys, MapfailBlock) {
  RunHarness harness;
  harness.run.output_line_count = 99;
  harness.run.mapfail_label = "NO-DATA";
  emit_mapfail_block(harness.run, "           ", ".");
  EXPECT_EQ(harness.output(),
            "           IF USRMAPLN IS EQUAL TO 0\n"
            "               GO TO NO-DATA\n"
            "           END-IF.\n");
  EXPECT_EQ(harness.run.output_line_count, 102);
  EXPECT_EQ(harness.messages(),
            "line 0100 - HANDLE MAPFAIL statement inserted for EXEC ZARN RECEIVE\n");
}

// The MAPFAIL label is kept whole, however long; past column 72 it goes on its own line.
TEST(AttentionKeys, MapfailBlockWithALongLabel) {
  RunHarness harness;
  harness.run.mapfail_label = "NO-DATA-ON-THE-SCREEN-SO-THE-PROGRAM-GOES-BACK-TO-THE-MENU";
  emit_mapfail_block(harness.run, "           ", "");
  EXPECT_EQ(harness.output(),
            "           IF USRMAPLN IS EQUAL TO 0\n"
            "               GO TO\n"
            "                   NO-DATA-ON-THE-SCREEN-SO-THE-PROGRAM-GOES-BACK-TO-THE-MENU\n"
            "           END-IF\n");
  EXPECT_EQ(harness.run.output_line_count, 4);
}

}  // namespace
}  // namespace converter
