// The record quillox-all keeps in the application folder: each program's state after the last
// run, and the files its last successful conversion wrote with their checksums, so that hand
// edits are noticed and stale outputs named.
#include "batch/run_record.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "batch/child_process.h"
#include "text/output_set.h"

namespace batch {

namespace {

constexpr std::string_view kStates[] = {"converted", "failed", "refused-clash", "refused-edited",
                                        "not-run"};

// The fields of one line, split at each TAB.
std::vector<std::string_view> fields_of(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (;;) {
    std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

bool is_checksum(std::string_view text) {
  constexpr std::string_view kPrefix = "sha256:";
  if (text.size() != kPrefix.size() + 64 || text.substr(0, kPrefix.size()) != kPrefix) return false;
  return std::all_of(text.begin() + kPrefix.size(), text.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// SHA-256 of `content`.
std::array<std::uint8_t, 32> sha256(std::string_view content) {
  static constexpr std::uint32_t kRound[64] = {
      0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4,
      0xab1c5ed5, 0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe,
      0x9bdc06a7, 0xc19bf174, 0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f,
      0x4a7484aa, 0x5cb0a9dc, 0x76f988da, 0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7,
      0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967, 0x27b70a85, 0x2e1b2138, 0x4d2c6dfc,
      0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85, 0xa2bfe8a1, 0xa81a664b,
      0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070, 0x19a4c116,
      0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
      0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7,
      0xc67178f2};
  std::uint32_t state[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                            0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  auto rotate = [](std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); };
  auto compress = [&](const unsigned char* block) {
    std::uint32_t w[64];
    for (int i = 0; i < 16; ++i)
      w[i] = static_cast<std::uint32_t>(block[4 * i]) << 24 |
             static_cast<std::uint32_t>(block[4 * i + 1]) << 16 |
             static_cast<std::uint32_t>(block[4 * i + 2]) << 8 |
             static_cast<std::uint32_t>(block[4 * i + 3]);
    for (int i = 16; i < 64; ++i) {
      std::uint32_t s0 = rotate(w[i - 15], 7) ^ rotate(w[i - 15], 18) ^ (w[i - 15] >> 3);
      std::uint32_t s1 = rotate(w[i - 2], 17) ^ rotate(w[i - 2], 19) ^ (w[i - 2] >> 10);
      w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    std::uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
    for (int i = 0; i < 64; ++i) {
      std::uint32_t s1 = rotate(e, 6) ^ rotate(e, 11) ^ rotate(e, 25);
      std::uint32_t choose = (e & f) ^ (~e & g);
      std::uint32_t t1 = h + s1 + choose + kRound[i] + w[i];
      std::uint32_t s0 = rotate(a, 2) ^ rotate(a, 13) ^ rotate(a, 22);
      std::uint32_t majority = (a & b) ^ (a & c) ^ (b & c);
      std::uint32_t t2 = s0 + majority;
      h = g;
      g = f;
      f = e;
      e = d + t1;
      d = c;
      c = b;
      b = a;
      a = t1 + t2;
    }
    state[0] += a, state[1] += b, state[2] += c, state[3] += d;
    state[4] += e, state[5] += f, state[6] += g, state[7] += h;
  };
  const auto* bytes = reinterpret_cast<const unsigned char*>(content.data());
  std::size_t whole = content.size() / 64 * 64;
  for (std::size_t block = 0; block < whole; block += 64) compress(bytes + block);
  // The rest, a 1 bit, zeros, and the length in bits, in one or two more blocks.
  unsigned char tail[128] = {};
  std::size_t rest = content.size() - whole;
  std::copy(bytes + whole, bytes + content.size(), tail);
  tail[rest] = 0x80;
  std::size_t tail_size = rest + 9 <= 64 ? 64 : 128;
  std::uint64_t bits = static_cast<std::uint64_t>(content.size()) * 8;
  for (int i = 0; i < 8; ++i) tail[tail_size - 1 - i] = static_cast<unsigned char>(bits >> (8 * i));
  compress(tail);
  if (tail_size == 128) compress(tail + 64);
  std::array<std::uint8_t, 32> digest{};
  for (int i = 0; i < 32; ++i)
    digest[i] = static_cast<std::uint8_t>(state[i / 4] >> (24 - 8 * (i % 4)));
  return digest;
}

}  // namespace

std::string escape_field(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\t':
        escaped += "\\t";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\\':
        escaped += "\\\\";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

bool unescape_field(std::string_view field, std::string& text) {
  text.clear();
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      text += field[i];
      continue;
    }
    if (++i == field.size()) return false;
    switch (field[i]) {
      case 't':
        text += '\t';
        break;
      case 'n':
        text += '\n';
        break;
      case 'r':
        text += '\r';
        break;
      case '\\':
        text += '\\';
        break;
      default:
        return false;
    }
  }
  return true;
}

bool parse_record(std::string_view text, Record& record, std::string& error) {
  record.programs.clear();
  std::size_t end = text.find('\n');
  if (end == std::string_view::npos || text.substr(0, end) != kRecordHeader) {
    error = "its first line is not \"" + std::string(kRecordHeader) + "\"";
    return false;
  }
  text.remove_prefix(end + 1);
  while (!text.empty()) {
    end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    std::vector<std::string_view> fields = fields_of(line);
    if (fields[0] == "program" && fields.size() == 4 &&
        std::find(std::begin(kStates), std::end(kStates), fields[2]) != std::end(kStates)) {
      RecordedProgram program;
      if (!unescape_field(fields[1], program.path) || !unescape_field(fields[3], program.reason) ||
          program.path.empty())
        continue;
      program.state = std::string(fields[2]);
      record.programs.push_back(std::move(program));
    } else if (fields[0] == "output" && fields.size() == 3 && !record.programs.empty() &&
               is_checksum(fields[2])) {
      RecordedOutput output;
      if (!unescape_field(fields[1], output.path) || output.path.empty()) continue;
      output.checksum = std::string(fields[2]);
      record.programs.back().outputs.push_back(std::move(output));
    }
  }
  return true;
}

std::string format_record(Record record) {
  std::stable_sort(
      record.programs.begin(), record.programs.end(),
      [](const RecordedProgram& a, const RecordedProgram& b) { return a.path < b.path; });
  std::string text = std::string(kRecordHeader) + "\n";
  for (const RecordedProgram& program : record.programs) {
    text += "program\t" + escape_field(program.path) + "\t" + program.state + "\t" +
            escape_field(program.reason) + "\n";
    for (const RecordedOutput& output : program.outputs)
      text += "output\t" + escape_field(output.path) + "\t" + output.checksum + "\n";
  }
  return text;
}

std::string checksum_of(std::string_view content) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string checksum = "sha256:";
  for (std::uint8_t byte : sha256(content)) {
    checksum += kHex[byte >> 4];
    checksum += kHex[byte & 15];
  }
  return checksum;
}

namespace {

std::string record_name(const std::string& root) {
  return root + "/" + std::string(kRecordFileName);
}

std::string shown_path(const std::string& root, const std::string& path) {
  return (root == "/" ? "" : root) + "/" + path;
}

}  // namespace

bool read_record(const std::string& root, Record& record, std::string& error) {
  record.programs.clear();
  std::string name = record_name(root);
  struct stat status;
  if (::lstat(name.c_str(), &status) != 0) return true;
  std::string text;
  std::string why;
  if (::stat(name.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
    why = "it is not a regular file";
  } else if (!read_file(name, text)) {
    why = std::strerror(errno);
  } else if (parse_record(text, record, why)) {
    return true;
  }
  error = name + ": no record of quillox-all can be read (" + why +
          "); move it away, or remove it to convert without one";
  return false;
}

bool write_record(const std::string& root, const Record& record, std::string& error) {
  std::string name = record_name(root);
  text::EndingSignalsBlocked blocked;
  text::OutputSet set;
  std::string reason;
  std::unique_ptr<text::OutputFile> file = set.open(name, reason);
  if (file) {
    file->write(format_record(record));
    if (!file->close()) reason = "error writing it";
  }
  if (file && reason.empty()) {
    text::CommitResult result = set.commit({});
    if (result.outcome == text::CommitResult::kDone) return true;
    reason = result.reason;
  }
  error = "cannot write the record " + name + ": " + reason;
  return false;
}

HandEdits::HandEdits(const Record& earlier) {
  for (const RecordedProgram& program : earlier.programs)
    for (const RecordedOutput& output : program.outputs)
      recorded_[output.path].insert(output.checksum);
}

bool HandEdits::changed(const std::string& shown, const std::string& path) {
  auto known = recorded_.find(path);
  if (known == recorded_.end()) return false;
  auto [result, first] = changed_.try_emplace(path, false);
  std::string text;
  if (first && read_file(shown, text)) result->second = known->second.count(checksum_of(text)) == 0;
  return result->second;
}

std::vector<std::string> stale_outputs(const std::string& root, const Record& earlier,
                                       const Record& now) {
  std::set<std::string> current;
  for (const RecordedProgram& program : now.programs)
    for (const RecordedOutput& output : program.outputs) current.insert(output.path);
  std::set<std::string> stale;
  for (const RecordedProgram& program : earlier.programs) {
    for (const RecordedOutput& output : program.outputs) {
      std::string shown = shown_path(root, output.path);
      struct stat status;
      if (current.count(output.path) == 0 && ::lstat(shown.c_str(), &status) == 0)
        stale.insert(shown);
    }
  }
  return {stale.begin(), stale.end()};
}

}  // namespace batch
