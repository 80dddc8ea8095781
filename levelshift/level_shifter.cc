// NESTLVL: copies a copybook with every two-digit level number raised by one, and writes a
// message file with the line counts.
#include "levelshift/level_shifter.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <system_error>
#include <vector>

namespace levelshift {

namespace {

namespace fs = std::filesystem;

// Columns 1 to 6 hold the sequence number; column 7 is the indicator ("*" for a comment).
constexpr std::size_t kSequenceWidth = 6;

// Symbolic links followed at most when telling whether two names are one file.
constexpr int kMaxLinkDepth = 40;
// Longest link target followed; a longer one is no name the system could open.
constexpr std::size_t kMaxTargetSize = 1 << 16;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Replaces `text` with `pattern` filled in as printf would.
[[gnu::format(printf, 2, 3)]] void format_into(std::string& text, const char* pattern, ...) {
  std::va_list args;
  va_start(args, pattern);
  std::va_list again;
  va_copy(again, args);
  int size = std::vsnprintf(nullptr, 0, pattern, args);
  va_end(args);
  text.assign(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  if (size > 0) std::vsnprintf(text.data(), text.size() + 1, pattern, again);
  va_end(again);
}

// The temporary name of an output, in the folder of the file it replaces: short, so that any
// final name the system accepts works; mkostemp fills in the six X.
constexpr std::string_view kTemporaryPattern = ".nestlvl-XXXXXX";

// The signals whose default action ends the process and that come from outside it; the
// program's own faults are left to their default action.
const std::vector<int>& ending_signals() {
  static const std::vector<int>* signals = [] {
    auto* list = new std::vector<int>{SIGHUP,  SIGINT,  SIGQUIT, SIGPIPE, SIGALRM,
                                      SIGTERM, SIGUSR1, SIGUSR2, SIGXFSZ, SIGVTALRM,
                                      SIGPROF, SIGXCPU, SIGPOLL, SIGPWR,  SIGSTKFLT};
    for (int signal_number = SIGRTMIN; signal_number <= SIGRTMAX; ++signal_number)
      list->push_back(signal_number);
    return list;
  }();
  return *signals;
}

// The temporary files of the run, for the signal handler; changed only while the ending signals
// are blocked, so that the handler never sees them half changed.
std::string* pending_temporaries[2];
// What each ending signal did before the run took it over, in the order of `ending_signals()`.
std::vector<struct sigaction>* previous_actions = nullptr;

// Blocks the ending signals while it lives.
class SignalsBlocked {
 public:
  SignalsBlocked() {
    sigset_t ending;
    sigemptyset(&ending);
    for (int signal_number : ending_signals()) sigaddset(&ending, signal_number);
    sigprocmask(SIG_BLOCK, &ending, &before_);
  }
  ~SignalsBlocked() { sigprocmask(SIG_SETMASK, &before_, nullptr); }
  SignalsBlocked(const SignalsBlocked&) = delete;
  SignalsBlocked& operator=(const SignalsBlocked&) = delete;

 private:
  sigset_t before_;
};

// Removes the run's temporary files, then gives the signal back to what handled it before: by
// default the process ends by it as soon as this handler returns.
extern "C" void remove_temporaries_and_end(int signal_number) {
  int saved_errno = errno;
  for (std::string* temporary : pending_temporaries)
    if (temporary != nullptr && !temporary->empty()) unlink(temporary->c_str());
  const std::vector<int>& signals = ending_signals();
  for (std::size_t i = 0; i < signals.size() && previous_actions != nullptr; ++i)
    if (signals[i] == signal_number) sigaction(signal_number, &(*previous_actions)[i], nullptr);
  raise(signal_number);
  errno = saved_errno;
}

// The folder part of `name` with its final separator ("" for the working folder), and as shown.
std::string folder_of(const std::string& name) {
  std::size_t separator = name.find_last_of('/');
  return separator == std::string::npos ? std::string() : name.substr(0, separator + 1);
}
std::string shown_folder(const std::string& folder) {
  if (folder.empty()) return ".";
  return folder == "/" ? folder : folder.substr(0, folder.size() - 1);
}

// The file that opening `name` for writing writes: the final target of its links (a relative
// target taken from the link's folder), or `name` itself.
std::string link_target(const std::string& name) {
  std::string path = name;
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    // The size a link reports is not always its length (links of the system report none or
    // a fixed one): the buffer grows until the whole target fits.
    std::string target(static_cast<std::size_t>(status.st_size > 255 ? status.st_size : 255) + 1,
                       '\0');
    ssize_t length;
    while ((length = ::readlink(path.c_str(), target.data(), target.size())) > 0 &&
           static_cast<std::size_t>(length) >= target.size() && target.size() < kMaxTargetSize)
      target.resize(target.size() * 2);
    if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) return path;
    target.resize(static_cast<std::size_t>(length));
    path = target[0] == '/' ? target : folder_of(path) + target;
  }
  return name;
}

// Why the file `name` (links already followed) may not be replaced by the run, or empty: an
// existing file the user may not write, a folder that is not writable, another user's file in a
// folder with the sticky bit.
std::string why_not_replaceable(const std::string& name) {
  struct stat file;
  bool exists = ::lstat(name.c_str(), &file) == 0;
  if (exists && S_ISREG(file.st_mode) && faccessat(AT_FDCWD, name.c_str(), W_OK, AT_EACCESS) != 0)
    return std::strerror(errno);
  std::string folder = folder_of(name);
  std::string folder_name = folder.empty() ? "." : folder;
  struct stat status;
  if (::stat(folder_name.c_str(), &status) != 0) return std::strerror(errno);
  if (faccessat(AT_FDCWD, folder_name.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
    return "no temporary file can be made in " + shown_folder(folder) + ": " + std::strerror(errno);
  uid_t user = geteuid();
  if (exists && (status.st_mode & S_ISVTX) != 0 && user != 0 && file.st_uid != user &&
      status.st_uid != user)
    return "it is another user's file in a folder with the sticky bit";
  return "";
}

// An output of the run: written under a temporary name beside the file it replaces (the final
// target of a link), which it takes only when the run ends well, or straight to a device or FIFO.
// Removed when the object goes without `keep`.
class RunOutput {
 public:
  RunOutput(std::string name, std::size_t slot) : name_(std::move(name)), slot_(slot) {}
  ~RunOutput() {
    if (stream_ != nullptr) std::fclose(stream_);
    discard();
  }
  RunOutput(const RunOutput&) = delete;
  RunOutput& operator=(const RunOutput&) = delete;

  /// Opens the output; false with the reason when it cannot be written.
  bool open(std::string& reason) {
    target_ = link_target(name_);
    struct stat status;
    bool exists = ::stat(target_.c_str(), &status) == 0;
    if (!exists && errno != ENOENT) {
      reason = std::strerror(errno);
      return false;
    }
    struct stat named;
    bool named_exists = ::stat(name_.c_str(), &named) == 0;
    if (named_exists && S_ISDIR(named.st_mode)) {
      reason = std::strerror(EISDIR);
      return false;
    }
    // A device, a FIFO, or a file that a link of the system (such as /proc/self/fd/1) names by a
    // path that does not lead to it, is written directly: there is nothing to replace.
    if (named_exists && (!S_ISREG(named.st_mode) || !exists || named.st_dev != status.st_dev ||
                         named.st_ino != status.st_ino)) {
      stream_ = std::fopen(name_.c_str(), "wb");
      if (stream_ == nullptr) reason = std::strerror(errno);
      return stream_ != nullptr;
    }
    reason = why_not_replaceable(target_);
    if (!reason.empty()) return false;
    std::string folder = folder_of(target_);
    std::string temporary = folder + std::string(kTemporaryPattern);
    int descriptor;
    {
      SignalsBlocked blocked;
      descriptor = mkostemp(temporary.data(), O_CLOEXEC);
      if (descriptor < 0) {
        reason = "no temporary file can be made in " + shown_folder(folder) + ": " +
                 std::strerror(errno);
        return false;
      }
      temporary_ = temporary;
      pending_temporaries[slot_] = &temporary_;
    }
    if (exists) {
      // A replaced file keeps its owner and group where the process may set them, then its
      // permission bits.
      if (fchown(descriptor, status.st_uid, status.st_gid) != 0)
        (void)!fchown(descriptor, static_cast<uid_t>(-1), status.st_gid);
      fchmod(descriptor, status.st_mode & 07777);
    } else {
      mode_t mask = umask(0);
      umask(mask);
      fchmod(descriptor, 0666 & ~mask);
    }
    stream_ = fdopen(descriptor, "wb");
    if (stream_ == nullptr) {
      reason = std::strerror(errno);
      close(descriptor);
      return false;
    }
    return true;
  }

  std::FILE* get() const { return stream_; }
  const std::string& name() const { return name_; }
  /// Closes the output; false when anything written to it was lost.
  bool close_stream() {
    bool intact = std::ferror(stream_) == 0;
    intact = std::fclose(stream_) == 0 && intact;
    stream_ = nullptr;
    return intact;
  }
  /// True when the output replaces the file `input`.
  bool names(const struct stat& input) const {
    struct stat status;
    return ::stat(name_.c_str(), &status) == 0 && status.st_dev == input.st_dev &&
           status.st_ino == input.st_ino;
  }
  /// Why the output cannot take its final name now, or empty.
  std::string why_not_kept() const {
    return temporary_.empty() ? std::string() : why_not_replaceable(target_);
  }
  /// The output takes its final name; false with the reason when it cannot.
  bool keep(std::string& reason) {
    if (temporary_.empty()) return true;
    SignalsBlocked blocked;
    bool renamed = std::rename(temporary_.c_str(), target_.c_str()) == 0;
    if (!renamed) {
      reason = std::strerror(errno);
      unlink(temporary_.c_str());
    }
    temporary_.clear();
    pending_temporaries[slot_] = nullptr;
    return renamed;
  }
  /// Removes the temporary file, if any: the old file of the final name stays as it was.
  void discard() {
    if (temporary_.empty()) return;
    SignalsBlocked blocked;
    unlink(temporary_.c_str());
    temporary_.clear();
    pending_temporaries[slot_] = nullptr;
  }

 private:
  std::string name_;
  std::size_t slot_;
  std::string target_;  // the file replaced: links followed
  std::string temporary_;
  std::FILE* stream_ = nullptr;
};

// While the run has temporary files, the ending signals remove them before the process ends.
// A signal the process ignores or handles itself is left to it.
class EndingSignalsCaught {
 public:
  EndingSignalsCaught() {
    SignalsBlocked blocked;
    const std::vector<int>& signals = ending_signals();
    previous_.assign(signals.size(), {});
    struct sigaction action {};
    action.sa_handler = remove_temporaries_and_end;
    sigemptyset(&action.sa_mask);
    for (int signal_number : signals) sigaddset(&action.sa_mask, signal_number);
    for (std::size_t i = 0; i < signals.size(); ++i) {
      sigaction(signals[i], nullptr, &previous_[i]);
      // Only a signal that would end the process is taken over, not one it ignores or handles.
      if (previous_[i].sa_handler == SIG_DFL && (previous_[i].sa_flags & SA_SIGINFO) == 0)
        sigaction(signals[i], &action, nullptr);
    }
    previous_actions = &previous_;
  }
  ~EndingSignalsCaught() {
    SignalsBlocked blocked;
    const std::vector<int>& signals = ending_signals();
    for (std::size_t i = 0; i < signals.size(); ++i) sigaction(signals[i], &previous_[i], nullptr);
    previous_actions = nullptr;
  }
  EndingSignalsCaught(const EndingSignalsCaught&) = delete;
  EndingSignalsCaught& operator=(const EndingSignalsCaught&) = delete;

 private:
  std::vector<struct sigaction> previous_;
};

// The input, opened only when it is a regular file (a FIFO is told apart without waiting).
std::FILE* open_input(const std::string& name, struct stat& status, std::string& reason) {
  int descriptor = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) {
    reason = std::strerror(errno);
    return nullptr;
  }
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    reason = S_ISDIR(status.st_mode) ? std::strerror(EISDIR) : "not a regular file";
    ::close(descriptor);
    return nullptr;
  }
  ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
  std::FILE* stream = ::fdopen(descriptor, "rb");
  if (stream == nullptr) {
    reason = std::strerror(errno);
    ::close(descriptor);
  }
  return stream;
}

// The input stream of the run, closed when the object goes.
class RunFileStream {
 public:
  explicit RunFileStream(std::FILE* stream) : stream_(stream) {}
  ~RunFileStream() {
    if (stream_ != nullptr) std::fclose(stream_);
  }
  RunFileStream(const RunFileStream&) = delete;
  RunFileStream& operator=(const RunFileStream&) = delete;
  explicit operator bool() const { return stream_ != nullptr; }
  std::FILE* get() const { return stream_; }

 private:
  std::FILE* stream_;
};

int cannot_open(std::FILE* errors, const std::string& name, const std::string& reason) {
  std::fprintf(errors, "NESTLVL: cannot open %s: %s\n", name.c_str(), reason.c_str());
  std::fflush(errors);
  return kExitFileError;
}

// Writes `text` to the console; a failure is remembered in `failed`.
void say(std::FILE* console, const char* text, bool& failed) {
  if (std::fputs(text, console) < 0) failed = true;
}

// False when anything written to the console was lost.
bool console_intact(std::FILE* console, bool failed) {
  return std::fflush(console) == 0 && std::ferror(console) == 0 && !failed;
}

bool print_usage(std::FILE* console) {
  bool failed = false;
  say(console, "\n   Command usage is:\n\n", failed);
  say(console, "     NESTLVL input-file <output-file>\n\n", failed);
  say(console, " If no output file name is specified, ", failed);
  say(console, "the converted program\nwill have a file ", failed);
  say(console, "extension of .NEW appended automatically.\n", failed);
  return console_intact(console, failed);
}

bool print_help(std::FILE* console) {
  bool failed = !print_usage(console);
  say(console, "\nOptions, before the file names:\n", failed);
  say(console, "  --         end of the options\n", failed);
  say(console, "  --help     this text\n", failed);
  say(console, "  --version  the version of NESTLVL\n", failed);
  return console_intact(console, failed);
}

// The exit code after the console text: `code`, or 100 after naming the failure when the text
// could not be written.
int after_console(bool written, int code, std::FILE* errors) {
  if (written) return code;
  std::fprintf(errors, "NESTLVL: error writing standard output: %s\n", std::strerror(errno));
  std::fflush(errors);
  return kExitFileError;
}

void write_bytes(std::FILE* out, const char* bytes, std::size_t size, CopyResult& result) {
  if (size != 0 && std::fwrite(bytes, 1, size, out) != size) result.write_failed = true;
}

// `name` made absolute, with links followed (a link whose target does not exist yet too) and
// "." and ".." resolved.
fs::path resolved_path(const std::string& name) {
  std::error_code error;
  fs::path path = fs::absolute(name, error);
  if (error) return fs::path(name);
  for (int depth = 0; depth < kMaxLinkDepth && fs::is_symlink(path, error); ++depth) {
    fs::path target = fs::read_symlink(path, error);
    if (error) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  fs::path canonical = fs::weakly_canonical(path, error);
  return error ? path.lexically_normal() : canonical;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The level number

std::size_t LevelScanner::scan(char* bytes, std::size_t size) {
  if (size == 0) return 0;
  // Bytes held back from the last call stand in front of the new ones, already looked at.
  std::size_t at = held_;
  held_ = 0;
  while (at < size) {
    switch (place_) {
      case Place::kSequenceArea: {
        if (column_ == 0) {
          // A whole line in view is examined at once; one that goes on past the bytes at hand
          // is followed byte by byte, whatever its length.
          const void* line_end = std::memchr(bytes + at, '\n', size - at);
          if (line_end != nullptr) {
            std::size_t end = static_cast<std::size_t>(static_cast<const char*>(line_end) - bytes);
            raise_in_line(bytes + at, end - at);
            end_line();
            at = end + 1;
            break;
          }
        }
        char c = bytes[at++];
        if (c == '\n') {
          end_line();
        } else {
          line_open_ = true;
          if (++column_ == kSequenceWidth) place_ = Place::kIndicator;
        }
        break;
      }
      case Place::kIndicator: {
        char c = bytes[at++];
        if (c == '\n')
          end_line();
        else
          place_ = c == '*' || c == '-' ? Place::kRestOfLine : Place::kBlanks;
        break;
      }
      case Place::kBlanks: {
        // Only the blank is skipped: a tab ends the search like any other character.
        while (at < size && bytes[at] == ' ') ++at;
        if (at == size) break;
        char c = bytes[at++];
        if (c == '\n')
          end_line();
        else
          place_ = is_digit(c) ? Place::kSecondDigit : Place::kRestOfLine;
        break;
      }
      case Place::kSecondDigit: {
        char c = bytes[at];
        if (c == '\n') {
          end_line();
        } else {
          place_ = is_digit(c) ? Place::kAfterPair : Place::kRestOfLine;
        }
        ++at;
        break;
      }
      case Place::kAfterPair: {
        // The pair is a level number only when the word ends with it.
        char c = bytes[at];
        if (c == ' ' || c == '\t' || c == '\n') raise_pair(bytes[at - 2], bytes[at - 1]);
        if (c == '\n')
          end_line();
        else
          place_ = c == '\r' ? Place::kAfterPairReturn : Place::kRestOfLine;
        ++at;
        break;
      }
      case Place::kAfterPairReturn: {
        // A carriage return ends the word only as part of the line end.
        char c = bytes[at];
        if (c == '\n') {
          raise_pair(bytes[at - 3], bytes[at - 2]);
          end_line();
        } else {
          place_ = Place::kRestOfLine;
          continue;
        }
        ++at;
        break;
      }
      case Place::kRestOfLine: {
        const void* line_end = std::memchr(bytes + at, '\n', size - at);
        if (line_end == nullptr) {
          at = size;
        } else {
          at = static_cast<std::size_t>(static_cast<const char*>(line_end) - bytes) + 1;
          end_line();
        }
        break;
      }
    }
  }
  held_ = place_ == Place::kSecondDigit       ? 1
          : place_ == Place::kAfterPair       ? 2
          : place_ == Place::kAfterPairReturn ? 3
                                              : 0;
  return size - held_;
}

// Inlined into the scan, which calls it once per line.
[[gnu::always_inline]] inline void LevelScanner::raise_in_line(char* line, std::size_t length) {
  // A line of 6 characters or fewer ends before the indicator column; comment and continuation
  // lines hold no level number.
  if (length <= kSequenceWidth || line[kSequenceWidth] == '*' || line[kSequenceWidth] == '-')
    return;
  std::size_t at = kSequenceWidth + 1;
  while (at < length && line[at] == ' ') ++at;
  if (at + 1 >= length || !is_digit(line[at]) || !is_digit(line[at + 1])) return;
  std::size_t after = at + 2;
  bool word_ends = after == length || line[after] == ' ' || line[after] == '\t' ||
                   (line[after] == '\r' && after + 1 == length);
  if (word_ends) raise_pair(line[at], line[at + 1]);
}

void LevelScanner::finish(char* held, std::size_t size) {
  // A pair that ends the text ends its word; a carriage return without a line feed after it is
  // an ordinary character.
  if (size == held_ && place_ == Place::kAfterPair) raise_pair(held[0], held[1]);
  held_ = 0;
  if (line_open_) end_line();
}

void LevelScanner::end_line() {
  ++line_count_;
  place_ = Place::kSequenceArea;
  column_ = 0;
  line_open_ = false;
}

[[gnu::always_inline]] inline void LevelScanner::raise_pair(char& tens, char& units) {
  // Condition names (88), RENAMES (66), level-77 items and the parts of a variable-length host
  // variable (49) keep their numbers wherever they stand.
  if ((tens == '4' && units == '9') || (tens == units && tens >= '6' && tens <= '8')) return;
  // 99 has no two-digit successor: it stays, and the message file names its line.
  if (tens == '9' && units == '9') {
    ++ninety_nine_count_;
    if (on_ninety_nine) on_ninety_nine(line_count_ + 1);
    return;
  }
  if (units == '9') {
    units = '0';
    ++tens;
  } else {
    ++units;
  }
  ++raised_count_;
}

LevelChange raise_level_number(std::string& line) {
  LevelScanner scanner;
  std::size_t settled = scanner.scan(line.data(), line.size());
  scanner.finish(line.data() + settled, line.size() - settled);
  if (scanner.ninety_nine_count() > 0) return LevelChange::kNinetyNineKept;
  return scanner.raised_count() > 0 ? LevelChange::kRaised : LevelChange::kUnchanged;
}

// ---------------------------------------------------------------------------------------------
// Message lines held back until the counts are written

NoteSpool::~NoteSpool() {
  if (spill_ != nullptr) std::fclose(spill_);
}

void NoteSpool::append(std::string_view text) {
  held_.append(text);
  if (held_.size() < kNoteMemoryLimit || failed_) return;
  if (spill_ == nullptr) spill_ = std::tmpfile();
  // Without a temporary file the lines stay in memory: complete, only larger.
  if (spill_ == nullptr) return;
  if (std::fwrite(held_.data(), 1, held_.size(), spill_) != held_.size()) failed_ = true;
  held_.clear();
}

bool NoteSpool::write_to(std::FILE* out) {
  bool complete = !failed_;
  if (spill_ != nullptr) {
    if (std::fflush(spill_) != 0) complete = false;
    std::rewind(spill_);
    std::vector<char> buffer(kNoteMemoryLimit);
    std::size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), spill_)) > 0)
      std::fwrite(buffer.data(), 1, got, out);
    if (std::ferror(spill_) != 0) complete = false;
  }
  std::fwrite(held_.data(), 1, held_.size(), out);
  return complete;
}

// ---------------------------------------------------------------------------------------------
// The copy

CopyResult copy_raising_levels(std::FILE* in, std::FILE* out, NoteSpool& notes,
                               std::size_t chunk_size) {
  CopyResult result;
  if (chunk_size == 0) chunk_size = 1;
  std::string note;
  LevelScanner scanner;
  scanner.on_ninety_nine = [&notes, &note](long long line_number) {
    format_into(note, "Level number 99 left unchanged at line %lld\n", line_number);
    notes.append(note);
  };
  // Room for the bytes held back in front of the next chunk (a digit pair and what follows it).
  std::vector<char> buffer(chunk_size + LevelScanner::kMostHeld);
  std::size_t held = 0;
  for (;;) {
    std::size_t got = std::fread(buffer.data() + held, 1, chunk_size, in);
    if (got == 0) break;
    std::size_t total = held + got;
    std::size_t settled = scanner.scan(buffer.data(), total);
    write_bytes(out, buffer.data(), settled, result);
    held = total - settled;
    if (held != 0) std::memmove(buffer.data(), buffer.data() + settled, held);
  }
  result.read_failed = std::ferror(in) != 0;
  scanner.finish(buffer.data(), held);
  write_bytes(out, buffer.data(), held, result);
  result.line_count = scanner.line_count();
  return result;
}

// ---------------------------------------------------------------------------------------------
// The run

FileNames form_file_names(const std::vector<std::string>& arguments) {
  FileNames names;
  names.input = arguments.front();
  // The first period of the last part ends the base name: ./lib/CUST.CPY gives ./lib/CUST.
  std::size_t separator = names.input.find_last_of("\\/");
  std::size_t last_part = separator == std::string::npos ? 0 : separator + 1;
  std::string base = names.input.substr(0, names.input.find('.', last_part));
  names.output = arguments.size() > 1 ? arguments[1] : base + ".new";
  names.message = base + ".msg";
  return names;
}

bool same_file(const std::string& a, const std::string& b) {
  std::error_code error;
  if (fs::exists(a, error) && fs::exists(b, error)) {
    bool same = fs::equivalent(a, b, error);
    return same && !error;
  }
  return resolved_path(a) == resolved_path(b);
}

int run_level_shifter(const std::vector<std::string>& all_arguments, std::FILE* console,
                      std::FILE* errors) {
  // Options stand before the file names.
  std::size_t first_name = 0;
  for (; first_name < all_arguments.size(); ++first_name) {
    const std::string& argument = all_arguments[first_name];
    if (argument.empty() || argument[0] != '-') break;
    if (argument == "--") {
      ++first_name;
      break;
    }
    if (argument == "--help") return after_console(print_help(console), kExitDone, errors);
    if (argument == "--version") {
      bool failed = std::fprintf(console, "NESTLVL %s\n", NESTLVL_VERSION) < 0;
      return after_console(console_intact(console, failed), kExitDone, errors);
    }
    std::fprintf(errors, "NESTLVL: unknown option %s\n", argument.c_str());
    std::fflush(errors);
    return after_console(print_usage(console), kExitUsage, errors);
  }
  const std::vector<std::string> arguments(all_arguments.begin() + first_name, all_arguments.end());
  if (arguments.empty()) return after_console(print_usage(console), kExitUsage, errors);
  FileNames names = form_file_names(arguments);

  std::string reason;
  struct stat input_status;
  RunFileStream input(open_input(names.input, input_status, reason));
  if (!input) return cannot_open(errors, names.input, reason);
  // Opening a file for writing empties it: nothing is opened while that would lose the input,
  // or while the copy and the message file would end up in one file.
  if (same_file(names.output, names.input) || same_file(names.message, names.input) ||
      same_file(names.output, names.message)) {
    std::fputs("NESTLVL: output would overwrite the input file\n", errors);
    std::fflush(errors);
    return kExitFileError;
  }
  // Both outputs are written under temporary names and take their names only when the run ends
  // well; an output that is a folder is refused before anything is written.
  EndingSignalsCaught signals;
  RunOutput output(names.output, 0);
  RunOutput message(names.message, 1);
  for (const std::string* name : {&names.output, &names.message}) {
    std::error_code ignored;
    if (fs::is_directory(*name, ignored)) return cannot_open(errors, *name, std::strerror(EISDIR));
  }
  if (!output.open(reason)) return cannot_open(errors, names.output, reason);
  if (!message.open(reason)) return cannot_open(errors, names.message, reason);

  // The copy reads and writes whole chunks, so the streams need no buffers of their own.
  std::setvbuf(input.get(), nullptr, _IONBF, 0);
  std::setvbuf(output.get(), nullptr, _IONBF, 0);
  NoteSpool notes;
  CopyResult copy = copy_raising_levels(input.get(), output.get(), notes);
  // Every line read is written, so both counts are the same number.
  std::fprintf(message.get(), "\nInput lines read %5lld\n", copy.line_count);
  std::fprintf(message.get(), "Output lines written %5lld\n", copy.line_count);
  bool notes_complete = notes.write_to(message.get());

  bool output_intact = output.close_stream() && !copy.write_failed;
  bool message_intact = message.close_stream() && notes_complete;
  if (copy.read_failed) std::fprintf(errors, "NESTLVL: error reading %s\n", names.input.c_str());
  if (!output_intact) std::fprintf(errors, "NESTLVL: error writing %s\n", names.output.c_str());
  if (!message_intact) std::fprintf(errors, "NESTLVL: error writing %s\n", names.message.c_str());
  std::fflush(errors);
  // All outputs or none: after a failure the old files stay as they were.
  if (copy.read_failed || !output_intact || !message_intact) return kExitFileError;
  for (RunOutput* written : {&output, &message}) {
    if (written->names(input_status)) {
      std::fprintf(errors, "NESTLVL: %s is read by this run - no output written\n",
                   written->name().c_str());
      return kExitFileError;
    }
  }
  // Both names are checked before the first rename, so that the run does not stop half-way.
  for (RunOutput* written : {&output, &message}) {
    std::string why = written->why_not_kept();
    if (why.empty()) continue;
    std::fprintf(errors, "NESTLVL: cannot replace %s: %s - no output written\n",
                 written->name().c_str(), why.c_str());
    return kExitFileError;
  }
  {
    SignalsBlocked blocked;
    for (RunOutput* written : {&output, &message}) {
      if (written->keep(reason)) continue;
      std::fprintf(errors, "NESTLVL: cannot write %s: %s\n", written->name().c_str(),
                   reason.c_str());
      return kExitFileError;
    }
  }
  return kExitDone;
}

int run_level_shifter(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return run_level_shifter(arguments, stdout, stderr);
}

}  // namespace levelshift
