// quillox-replay's command line and the play of each dialogue: both sides built, every step
// played on each twice, the traces compared and the outcome printed.
#include "replay/replay_command.h"

#include <dirent.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include "batch/child_process.h"
#include "replay/client_program.h"
#include "replay/dialogue_script.h"
#include "replay/jobs.h"
#include "replay/options.h"
#include "replay/precompile.h"
#include "replay/program_source.h"
#include "replay/trace.h"
#include "text/text_files.h"

namespace replay {

namespace {

// Exit codes, and the worse of two.
constexpr int kPassed = 0;
constexpr int kFailed = 1;
constexpr int kCannotPlay = 2;
constexpr int kFileError = 100;

int worse(int a, int b) {
  auto rank = [](int code) { return code == kFileError ? 3 : code; };
  return rank(a) >= rank(b) ? a : b;
}

// Standard output, whose failure is told once at the end.
struct Printer {
  bool failed = false;
  void line(const std::string& text) {
    if (std::fputs(text.c_str(), stdout) == EOF || std::fputc('\n', stdout) == EOF) failed = true;
  }
};

void tell(const std::string& text) {
  std::fprintf(stderr, "quillox-replay: %s\n", text.c_str());
}

std::string folder_of(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string base_of(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string absolute(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  char here[4096];
  if (!getcwd(here, sizeof here)) return path;
  std::string folder = here;
  if (path.empty() || path == ".") return folder;
  return folder + "/" + (path.compare(0, 2, "./") == 0 ? path.substr(2) : path);
}

bool is_file(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool is_folder(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool make_folders(const std::string& path) {
  if (path.empty() || is_folder(path)) return true;
  if (!make_folders(folder_of(path))) return false;
  return mkdir(path.c_str(), 0777) == 0 || errno == EEXIST;
}

int remove_entry(const char* path, const struct stat*, int, struct FTW*) {
  return std::remove(path);
}

void remove_tree(const std::string& path) {
  if (!path.empty()) nftw(path.c_str(), remove_entry, 16, FTW_DEPTH | FTW_PHYS);
}

bool write_file(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

std::string padded(std::string text, std::size_t width) {
  text.resize(width, ' ');
  return text;
}

std::string upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// The file names of a folder, sorted.
std::vector<std::string> folder_files(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* directory = opendir(folder.c_str())) {
    while (dirent* entry = readdir(directory)) names.push_back(entry->d_name);
    closedir(directory);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The program NAME of a folder as written, NAME.zsc before NAME.ZSC; empty when neither is.
std::string program_file(const std::string& folder, const std::string& name,
                         const std::vector<std::string>& extensions) {
  for (const std::string& extension : extensions) {
    std::string path = folder + "/" + name + extension;
    if (is_file(path)) return path;
  }
  return std::string();
}

// The programs of a folder: the names of its .zsc files (any case of the extension).
std::vector<std::string> folder_programs(const std::string& folder) {
  std::vector<std::string> names;
  for (const std::string& file : folder_files(folder)) {
    if (file.size() > 4 && upper(file.substr(file.size() - 4)) == ".ZSC" &&
        is_file(folder + "/" + file))
      names.push_back(file.substr(0, file.size() - 4));
  }
  return names;
}

// Where the tool's files are: share/quillox beside the folder of the executable.
struct Installation {
  std::string shared;   // share/quillox: STDHEAD, KVZAID, the template
  std::string monitor;  // share/quillox/replay: the stand-in and its members
  std::string cobc;
};

std::string executable_folder() {
  std::string path(4096, '\0');
  ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (length <= 0) return std::string();
  path.resize(static_cast<std::size_t>(length));
  return folder_of(path);
}

// The attention-key bytes of one side: from the KVZAID its program copies, else the shipped one.
struct AidBytes {
  std::map<std::string, unsigned char> bytes;  // KVZENTER, KVZPF1, ...
};

unsigned char default_aid(const std::string& key) {
  if (key == "ENTER") return 0x00;
  if (key == "CLEAR") return 0x30;
  if (key.compare(0, 2, "PA") == 0)
    return static_cast<unsigned char>(0x20 + std::atoi(key.c_str() + 2));
  return static_cast<unsigned char>(std::atoi(key.c_str() + 2));
}

AidBytes read_aid_bytes(const std::string& member) {
  AidBytes aid;
  if (member.empty()) return aid;
  std::unique_ptr<text::LineReader> reader = text::LineReader::open(member);
  if (!reader) return aid;
  std::string line;
  while (reader->read_piece(line)) {
    if (!is_code_line(line)) continue;
    std::string code = upper(std::string(code_area(line)));
    std::size_t name = code.find("KVZ");
    std::size_t value = code.find("VALUE");
    if (name == std::string::npos || value == std::string::npos) continue;
    std::string constant = code.substr(name, code.find(' ', name) - name);
    std::string rest = code.substr(value + 5);
    rest.erase(0, rest.find_first_not_of(' '));
    if (rest.size() >= 5 && rest[0] == 'X' && (rest[1] == '\'' || rest[1] == '"')) {
      std::string digits = rest.substr(2, 2);
      char* end = nullptr;
      long byte = std::strtol(digits.c_str(), &end, 16);
      if (end && *end == '\0') aid.bytes[constant] = static_cast<unsigned char>(byte);
    } else if (rest.size() >= 3 && (rest[0] == '\'' || rest[0] == '"')) {
      aid.bytes[constant] = static_cast<unsigned char>(rest[1]);
    }
  }
  return aid;
}

unsigned char key_byte(const AidBytes& aid, const std::string& key) {
  auto found = aid.bytes.find("KVZ" + key);
  return found != aid.bytes.end() ? found->second : default_aid(key);
}

// One program of a side, precompiled.
struct Program {
  std::string source;  // the file it is read from
  Role role = Role::kOriginal;
  std::string precompiled;  // the file written
  Precompiled found;
};

// One side of the play: its programs and where they are built and run.
struct Side {
  std::string name;    // "original" or "converted"
  std::string folder;  // the work folder of the side
  std::vector<Program> programs;
  std::string first_program;                 // what the transaction starts
  std::vector<std::string> unplayable;       // programs a field may name that cannot be played
  std::vector<std::string> refused_sources;  // their source files, looked at once
  AidBytes aid;
  TraceView view;
};

// A dialogue being played: the script, its folder and the sides.
struct Play {
  const Options& options;
  const Installation& installation;
  Printer& out;
  std::string script;
  std::string script_folder;
  Dialogue dialogue;
  std::string work;  // this dialogue's work folder
  Side original;
  Side converted;
  bool through_client = false;
  std::vector<Refusal> refusals;
};

MemberRule member_rule(const Play& play, bool converted) {
  MemberRule rule;
  rule.folder = play.script_folder;
  for (const std::string& folder : play.options.folders) rule.folders.push_back(absolute(folder));
  rule.converted = converted;
  rule.shared_folder = play.installation.shared;
  rule.monitor_folder = play.installation.monitor;
  return rule;
}

// Precompiles `source` into the side's folder; false (with a message) when a file fails.
bool add_program(Play& play, Side& side, const std::string& source, Role role,
                 const std::string& output_name, bool must_play) {
  Program program;
  program.source = source;
  program.role = role;
  program.precompiled = side.folder + "/" + output_name;
  std::FILE* output = std::fopen(program.precompiled.c_str(), "w");
  if (!output) {
    tell("cannot write " + program.precompiled + ": " + std::strerror(errno));
    return false;
  }
  std::string error;
  bool read = precompile(source, member_rule(play, side.name == "converted"), role,
                         play.installation.monitor, output, program.found, error);
  bool closed = std::fclose(output) == 0;
  if (!read) {
    tell(error);
    return false;
  }
  if (!closed) {
    tell("cannot write " + program.precompiled);
    return false;
  }
  if (!program.found.refusals.empty()) {
    if (must_play) {
      for (const Refusal& refusal : program.found.refusals) play.refusals.push_back(refusal);
    } else {
      side.unplayable.push_back(program.found.program_id);
      side.refused_sources.push_back(base_of(source));
      return true;
    }
  }
  for (const Program& other : side.programs) {
    if (other.found.program_id == program.found.program_id && !program.found.program_id.empty()) {
      play.refusals.push_back(Refusal{base_of(source), 0,
                                      "PROGRAM-ID " + program.found.program_id +
                                          " is also the name of " + base_of(other.source)});
    }
  }
  side.programs.push_back(std::move(program));
  return true;
}

// The programs that LINK and XCTL reach from those of the side: a literal name reaches the
// program of that name in the folder, a name in a field any program of the folder.
bool add_targets(Play& play, Side& side, const std::string& extension) {
  bool any_field = false;
  for (std::size_t at = 0; at < side.programs.size(); ++at) {
    std::vector<std::string> targets = side.programs[at].found.targets;
    any_field = any_field || side.programs[at].found.target_in_field;
    for (const std::string& target : targets) {
      bool known = false;
      for (const Program& program : side.programs)
        if (upper(program.found.program_id) == upper(target)) known = true;
      if (known) continue;
      std::string file = extension == ".new"
                             ? (is_file(play.script_folder + "/" + target + ".zsc") ||
                                        is_file(play.script_folder + "/" + target + ".ZSC")
                                    ? program_file(play.script_folder, target, {".new"})
                                    : std::string())
                             : program_file(play.script_folder, target, {".zsc", ".ZSC"});
      if (file.empty()) continue;
      if (!add_program(play, side, file, Role::kOriginal, target + ".cbl", true)) return false;
    }
  }
  if (!any_field) return true;
  for (const std::string& name : folder_programs(play.script_folder)) {
    bool known = false;
    for (const Program& program : side.programs)
      if (base_of(program.source).rfind(name + ".", 0) == 0) known = true;
    // A program that cannot be played is looked at once, or two that name each other in
    // fields would be looked at without end.
    for (const std::string& refused : side.refused_sources)
      if (refused.rfind(name + ".", 0) == 0) known = true;
    if (known) continue;
    std::string file = extension == ".new"
                           ? program_file(play.script_folder, name, {".new"})
                           : program_file(play.script_folder, name, {".zsc", ".ZSC"});
    if (file.empty()) continue;
    if (!add_program(play, side, file, Role::kOriginal, name + ".cbl", false)) return false;
    // A program reached through a field may reach others in turn.
    if (!add_targets(play, side, extension)) return false;
  }
  return true;
}

// Builds the sources of both sides (or of the one played). Returns an exit code, kPassed when
// every program can be played.
int prepare_sides(Play& play) {
  const std::string& name = play.dialogue.program;
  play.original.name = "original";
  play.converted.name = "converted";
  play.original.folder = play.work + "/original";
  play.converted.folder = play.work + "/converted";
  bool need_original = !play.options.against_converted;
  bool need_converted = !play.options.record;
  std::string original_file = program_file(play.script_folder, name, {".zsc", ".ZSC"});
  if (original_file.empty()) {
    tell(play.script + ": the program " + name + ".zsc is not in " + play.script_folder);
    return kCannotPlay;
  }
  // The original is precompiled in every play: its maps tell the client what to show.
  if (!make_folders(play.original.folder) ||
      (need_converted && !make_folders(play.converted.folder))) {
    tell("cannot make the work folders in " + play.work);
    return kFileError;
  }
  if (!add_program(play, play.original, original_file, Role::kOriginal, name + ".cbl", true))
    return kFileError;
  if (need_original && !add_targets(play, play.original, ".zsc")) return kFileError;
  play.original.first_program = play.original.programs.front().found.program_id;
  play.original.aid = read_aid_bytes(play.original.programs.front().found.aid_member.empty()
                                         ? find_member("KVZAID", member_rule(play, false))
                                         : play.original.programs.front().found.aid_member);

  if (need_converted) {
    std::string converted_file = program_file(play.script_folder, name, {".new"});
    if (converted_file.empty()) {
      tell(play.script + ": the converted program " + name + ".new is not in " +
           play.script_folder);
      return kCannotPlay;
    }
    std::string front_end = program_file(play.script_folder, name + "FE", {".cbl", ".CBL"});
    bool screens = !play.original.programs.front().found.maps.empty();
    for (const FormCount& form : play.original.programs.front().found.forms)
      if (form.form.rfind("SEND", 0) == 0 || form.form.rfind("RECEIVE", 0) == 0) screens = true;
    play.through_client = play.options.through_client;
    if (!play.through_client && front_end.empty()) {
      if (screens) {
        tell(play.script + ": the front end " + name + "FE.cbl is not in " + play.script_folder);
        return kCannotPlay;
      }
      play.through_client = true;
      play.out.line(name + " has no screens and no front end: played through the client");
    }
    Side& side = play.converted;
    side.view.converted = true;
    side.view.header_only = play.through_client;
    play.original.view.header_only = play.through_client;
    if (play.through_client) {
      std::vector<std::string> area;
      std::string error;
      if (!communication_area_lines(converted_file, area, error)) {
        tell(error);
        return kCannotPlay;
      }
      std::string program_id;
      {
        // The client calls the program by its PROGRAM-ID.
        std::unique_ptr<text::LineReader> reader = text::LineReader::open(converted_file);
        std::string line;
        while (reader && reader->read_piece(line) && program_id.empty())
          if (is_code_line(line)) program_id = program_id_of(code_area(line));
      }
      std::string client = side.folder + "/KVZRPCLI.source";
      if (!write_file(client,
                      client_source(program_id, area,
                                    client_maps(play.original.programs.front().found.maps)))) {
        tell("cannot write " + client);
        return kFileError;
      }
      if (!add_program(play, side, client, Role::kClient, "KVZRPCLI.cbl", true)) return kFileError;
      if (!add_program(play, side, converted_file, Role::kConvertedForClient, name + ".cbl", true))
        return kFileError;
    } else {
      if (!add_program(play, side, front_end, Role::kFrontEnd, name + "FE.cbl", true))
        return kFileError;
      if (!add_program(play, side, converted_file, Role::kOriginal, name + ".cbl", true))
        return kFileError;
    }
    // The front end's own LINK names the converted program; it is built already.
    if (!add_targets(play, side, ".new")) return kFileError;
    side.first_program = side.programs.front().found.program_id;
    side.aid = read_aid_bytes(side.programs[1].found.aid_member.empty()
                                  ? find_member("KVZAID", member_rule(play, true))
                                  : side.programs[1].found.aid_member);
  }
  return kPassed;
}

// Compiles the stand-in once for the run.
int build_monitor(const Installation& installation, const std::string& folder, bool& built) {
  if (built) return kPassed;
  if (!make_folders(folder)) {
    tell("cannot make " + folder);
    return kFileError;
  }
  std::vector<Job> jobs(2);
  jobs[0].arguments = {installation.cobc,
                       "-c",
                       "-x",
                       "-I",
                       installation.monitor,
                       "-o",
                       folder + "/KVZRPRUN.o",
                       installation.monitor + "/KVZRPRUN.cbl"};
  jobs[1].arguments = {installation.cobc,
                       "-c",
                       "-I",
                       installation.monitor,
                       "-o",
                       folder + "/KVZRP.o",
                       installation.monitor + "/KVZRP.cbl"};
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    jobs[i].folder = folder;
    jobs[i].capture = folder + "/compile-" + std::to_string(i) + ".log";
  }
  run_jobs(jobs);
  for (const Job& job : jobs) {
    if (!job.started || job.exit_code != 0) {
      tell("the stand-in for the monitor does not compile: " +
           (job.error.empty() ? job.output : job.error));
      return kCannotPlay;
    }
  }
  built = true;
  return kPassed;
}

// The variants of every side: the compiler's own initial bytes, and nulls.
constexpr const char* kVariants[] = {"a", "b"};

std::vector<Side*> played_sides(Play& play) {
  std::vector<Side*> sides;
  if (!play.options.against_converted) sides.push_back(&play.original);
  if (!play.options.record) sides.push_back(&play.converted);
  return sides;
}

int build_sides(Play& play, const std::string& monitor) {
  std::vector<Job> compiles;
  for (Side* side : played_sides(play)) {
    for (const char* variant : kVariants) {
      std::string folder = side->folder + "/" + variant;
      if (!make_folders(folder)) {
        tell("cannot make " + folder);
        return kFileError;
      }
      for (const Program& program : side->programs) {
        Job job;
        std::string object = folder + "/" + base_of(program.precompiled) + ".o";
        job.arguments = {play.installation.cobc, "-c", "-ffold-call=UPPER"};
        if (std::string(variant) == "b") job.arguments.push_back("-fdefaultbyte=0");
        job.arguments.insert(job.arguments.end(), {"-o", object, program.precompiled});
        job.folder = side->folder;
        job.capture = object + ".log";
        compiles.push_back(std::move(job));
      }
    }
  }
  run_jobs(compiles);
  for (const Job& job : compiles) {
    if (job.started && job.exit_code == 0) continue;
    std::string file = job.arguments.back();
    tell(base_of(file) + " (" + base_of(folder_of(file)) + ") does not compile" +
         (play.options.keep.empty() ? "" : ", see " + file) + ":\n" +
         (job.error.empty() ? job.output : job.error));
    return kCannotPlay;
  }
  std::vector<Job> links;
  for (Side* side : played_sides(play)) {
    for (const char* variant : kVariants) {
      std::string folder = side->folder + "/" + variant;
      Job job;
      job.arguments = {
          play.installation.cobc, "-x", "-o", folder + "/play", monitor + "/KVZRPRUN.o",
          monitor + "/KVZRP.o"};
      for (const Program& program : side->programs)
        job.arguments.push_back(folder + "/" + base_of(program.precompiled) + ".o");
      job.folder = folder;
      job.capture = folder + "/link.log";
      links.push_back(std::move(job));
    }
  }
  run_jobs(links);
  for (const Job& job : links) {
    if (job.started && job.exit_code == 0) continue;
    tell("the programs of " + base_of(folder_of(job.folder)) + " do not link:\n" +
         (job.error.empty() ? job.output : job.error));
    return kCannotPlay;
  }
  return kPassed;
}

// The keyed files of the script, as the stand-in keeps them: in order of file and key.
std::string file_records(const Dialogue& dialogue) {
  std::vector<const FileRecord*> records;
  for (const FileRecord& record : dialogue.records) records.push_back(&record);
  std::sort(records.begin(), records.end(), [](const FileRecord* a, const FileRecord* b) {
    std::string ka = padded(a->file, 8) + padded(a->key, kMaxFileKey);
    std::string kb = padded(b->file, 8) + padded(b->key, kMaxFileKey);
    return ka < kb;
  });
  std::string bytes;
  char number[16];
  for (const FileRecord* record : records) {
    bytes += padded(record->file, 8);
    std::snprintf(number, sizeof number, "%03zu", record->key.size());
    bytes += number;
    bytes += padded(record->key, kMaxFileKey);
    std::snprintf(number, sizeof number, "%05zu", record->record.size());
    bytes += number;
    bytes += padded(record->record, kMaxFileRecord);
  }
  return bytes;
}

// The turn's input for the stand-in.
std::string turn_input(const Play& play, const Side& side, const char* variant, const Step& step,
                       int number) {
  std::string text;
  auto line = [&text](const std::string& code, const std::string& rest) {
    text += padded(code, 8) + " " + rest + "\n";
  };
  line("SIDE", side.name);
  line("FILL", std::string(variant) == "a" ? "20" : "00");
  line("TERMINAL", play.dialogue.terminal);
  line("CLOCK", play.dialogue.date + " " + play.dialogue.time);
  char task[16];
  std::snprintf(task, sizeof task, "%07d", number);
  line("TASK", task);
  line("TRANS", padded(play.dialogue.transaction, 4) + " " + side.first_program);
  for (const Program& program : side.programs) line("PROGRAM", program.found.program_id);
  for (const std::string& name : side.unplayable) line("REFUSED", name);
  std::string key = step.start ? "ENTER" : step.key;
  if (step.start) line("START", play.dialogue.transaction);
  char hex[8];
  std::snprintf(hex, sizeof hex, "%02X", key_byte(side.aid, key));
  line("KEY", padded(key, 6) + " " + hex);
  for (const TypedField& field : step.fields) {
    char length[8];
    std::snprintf(length, sizeof length, "%04zu", field.value.size());
    line("FIELD", std::string(length) + " " + padded(field.name, 40) + " " + field.value);
  }
  return text;
}

// What one run of one side did in a step.
struct StepRun {
  TaskTrace trace;
  std::string failure;  // why the side cannot be played on
};

StepRun read_run(const Play& play, const Side& side, const Job& job, const std::string& folder,
                 int number) {
  StepRun run;
  std::string trace_file = folder + "/trace.txt";
  std::string text;
  batch::read_file(trace_file, text);
  char kept[32];
  std::snprintf(kept, sizeof kept, "/trace-%02d.txt", number);
  std::rename(trace_file.c_str(), (folder + kept).c_str());
  if (!job.started) {
    run.failure = "the " + side.name + " side cannot start: " + job.error;
    return run;
  }
  if (job.timed_out) {
    run.failure = "the task of the " + side.name + " side did not end within " +
                  std::to_string(play.options.timeout) +
                  (play.options.timeout == 1 ? " second" : " seconds");
    return run;
  }
  std::string error;
  if (!read_trace(text, side.view, run.trace, error)) {
    run.failure = "the trace of the " + side.name + " side cannot be read: " + error;
    return run;
  }
  if (!run.trace.unplayable.empty()) {
    run.failure = "the " + side.name + " side transfers control to " + run.trace.unplayable +
                  ", which cannot be played";
    return run;
  }
  if (!run.trace.ended) {
    // The program ended the run itself (STOP RUN), or the run-time stopped it.
    std::string message = job.output.substr(0, job.output.find('\n'));
    Event stopped;
    stopped.kind = "stopped";
    stopped.key = "stopped";
    Item item;
    item.name = "message";
    item.value.bytes = message.empty() ? "the program ended the run" : message;
    stopped.items.push_back(std::move(item));
    run.trace.events.push_back(std::move(stopped));
  }
  return run;
}

// The last screen, text, end and abend of a task, each null when the task had none.
struct LastEvents {
  const Event* screen = nullptr;
  const Event* text = nullptr;
  const Event* end = nullptr;
  const Event* abend = nullptr;
};

LastEvents last_events(const TaskTrace& trace) {
  LastEvents last;
  for (const Event& event : trace.events) {
    if (event.kind == "screen") last.screen = &event;
    if (event.kind == "text") last.text = &event;
    if (event.kind == "end") last.end = &event;
    if (event.kind == "abend") last.abend = &event;
  }
  return last;
}

// The expect lines of a step checked against one side; a text for each that fails.
std::vector<std::string> check_expectations(const Step& step, const TaskTrace& trace,
                                            const std::string& side) {
  std::vector<std::string> failures;
  auto [screen, text, end, abend] = last_events(trace);
  for (const Expectation& expected : step.expectations) {
    switch (expected.kind) {
      case Expectation::kField: {
        const Item* field = nullptr;
        for (const Event& event : trace.events)
          if (event.kind == "screen" && event.item(expected.name))
            field = event.item(expected.name);
        if (!field) {
          failures.push_back("expected " + expected.name + " " + quoted(expected.value) + ", " +
                             side + " shows no such field");
        } else if (field->value.any_undefined() || trimmed(field->value.bytes) != expected.value) {
          failures.push_back("expected " + expected.name + " " + quoted(expected.value) + ", " +
                             side + " " + shown(field->value));
        }
        break;
      }
      case Expectation::kMap: {
        std::string want = expected.name + (expected.value.empty() ? "" : " " + expected.value);
        std::string got = "none";
        if (screen)
          got = screen->key +
                (expected.value.empty() ? "" : " " + screen->item("MAPSET")->value.bytes);
        if (got != want) failures.push_back("expected map " + want + ", " + side + " " + got);
        break;
      }
      case Expectation::kText: {
        std::string got = text ? shown(text->item("TEXT")->value) : "none";
        if (!text || trimmed(text->item("TEXT")->value.bytes) != expected.value)
          failures.push_back("expected text " + quoted(expected.value) + ", " + side + " " + got);
        break;
      }
      case Expectation::kNext:
      case Expectation::kEnd: {
        std::string want = expected.kind == Expectation::kEnd ? "none" : expected.name;
        std::string got = end     ? end->item("next transaction")->value.bytes
                          : abend ? "abend " + abend->key
                                  : "none";
        if (got != want)
          failures.push_back((expected.kind == Expectation::kEnd ? std::string("expected end")
                                                                 : "expected next " + want) +
                             ", " + side + (end && got != "none" ? " next " : " ") + got);
        break;
      }
      case Expectation::kAbend: {
        std::string got = abend ? abend->key : "none";
        if (got != expected.name)
          failures.push_back("expected abend " + expected.name + ", " + side + " " + got);
        break;
      }
    }
  }
  return failures;
}

// The expect lines that describe what the original did in a step.
std::vector<std::string> recorded_expectations(const TaskTrace& trace) {
  std::vector<std::string> lines;
  auto [screen, text, end, abend] = last_events(trace);
  if (screen) {
    lines.push_back("expect map " + screen->key + " " + screen->item("MAPSET")->value.bytes);
    for (const Item& item : screen->items) {
      if (!item.field || item.value.any_undefined()) continue;
      std::string value = trimmed(item.value.bytes);
      if (value.empty()) continue;
      lines.push_back("expect field " + item.name + " " + quoted(value));
    }
  }
  if (text && !text->item("TEXT")->value.any_undefined())
    lines.push_back("expect text " + quoted(trimmed(text->item("TEXT")->value.bytes)));
  if (abend) {
    lines.push_back("expect abend " + abend->key);
  } else if (end) {
    const std::string& next = end->item("next transaction")->value.bytes;
    lines.push_back(next == "none" ? "expect end" : "expect next " + next);
  }
  return lines;
}

// The script with the expect lines of each step replaced by `recorded`.
std::string rewrite_script(const std::string& text, const Dialogue& dialogue,
                           const std::vector<std::vector<std::string>>& recorded) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  std::vector<bool> drop(lines.size() + 1, false);
  std::map<int, std::size_t> insert_after;  // line number -> step
  for (std::size_t s = 0; s < dialogue.steps.size(); ++s) {
    const Step& step = dialogue.steps[s];
    int last = step.line;
    for (int n = step.line; n <= step.last_line; ++n) {
      std::string line = lines[static_cast<std::size_t>(n - 1)];
      std::size_t first = line.find_first_not_of(" \t");
      bool expect = first != std::string::npos && line.compare(first, 6, "expect") == 0 &&
                    (line.size() == first + 6 || line[first + 6] == ' ' || line[first + 6] == '\t');
      if (expect) {
        drop[static_cast<std::size_t>(n - 1)] = true;
      } else if (first != std::string::npos && line[first] != '#') {
        last = n;
      }
    }
    insert_after[last] = s;
  }
  std::string result;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!drop[i]) result += lines[i] + "\n";
    auto found = insert_after.find(static_cast<int>(i + 1));
    if (found == insert_after.end()) continue;
    for (const std::string& expect : recorded[found->second]) result += "  " + expect + "\n";
  }
  if (!text.empty() && text.back() != '\n' && !result.empty() && lines.size() && !drop.back())
    result.pop_back();
  return result;
}

bool known_applies(const KnownDifference& known, bool through_client) {
  return known.way == Way::kBoth || (known.way == Way::kClient) == through_client;
}

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

// Plays every step; returns the exit code of the dialogue.
int play_steps(Play& play, const std::string& script_text) {
  std::vector<Side*> sides = played_sides(play);
  std::string records = file_records(play.dialogue);
  for (Side* side : sides) {
    for (const char* variant : kVariants) {
      std::string folder = side->folder + "/" + variant;
      std::remove((folder + "/conversation.dat").c_str());
      std::remove((folder + "/queues.dat").c_str());
      if (!write_file(folder + "/files.dat", records)) {
        tell("cannot write " + folder + "/files.dat");
        return kFileError;
      }
    }
  }
  int passed = 0, failed = 0;
  std::vector<std::vector<std::string>> recorded;
  bool map_shown = false;  // the original's screen shows a map, whose fields can be typed
  for (std::size_t s = 0; s < play.dialogue.steps.size(); ++s) {
    const Step& step = play.dialogue.steps[s];
    int number = static_cast<int>(s + 1);
    std::vector<Job> jobs;
    for (Side* side : sides) {
      for (const char* variant : kVariants) {
        std::string folder = side->folder + "/" + variant;
        if (!write_file(folder + "/input.txt", turn_input(play, *side, variant, step, number))) {
          tell("cannot write " + folder + "/input.txt");
          return kFileError;
        }
        Job job;
        job.arguments = {folder + "/play"};
        job.folder = folder;
        job.capture = folder + "/output.txt";
        job.time_limit = play.options.timeout;
        jobs.push_back(std::move(job));
      }
    }
    run_jobs(jobs);
    std::vector<TaskTrace> traces;
    std::string head = "step " + std::to_string(number) + " " + step.title + " ... ";
    for (std::size_t i = 0; i < sides.size(); ++i) {
      StepRun a = read_run(play, *sides[i], jobs[2 * i], sides[i]->folder + "/a", number);
      StepRun b = read_run(play, *sides[i], jobs[2 * i + 1], sides[i]->folder + "/b", number);
      std::string failure = !a.failure.empty() ? a.failure : b.failure;
      if (!failure.empty()) {
        play.out.line(head + "cannot be played");
        tell(play.script + ": step " + std::to_string(number) + ": " + failure);
        return kCannotPlay;
      }
      mask_undefined(a.trace, b.trace);
      traces.push_back(std::move(a.trace));
    }
    std::vector<std::string> lines;  // under the step
    std::vector<std::string> faults;
    if (sides.front() == &play.original) {
      if (!step.fields.empty() && !map_shown)
        lines.push_back("fields typed while the original's screen shows no map");
      for (const Event& event : traces[0].events) {
        if (event.kind == "screen") map_shown = true;
        if (event.kind == "text" || event.kind == "send") map_shown = false;
        if (event.kind == "control" && event.item("ERASE")->value.bytes != "none")
          map_shown = false;
      }
    }
    if (play.options.record) {
      recorded.push_back(recorded_expectations(traces[0]));
      play.out.line(head + "recorded");
      for (const std::string& line : recorded.back()) play.out.line("  " + line);
      continue;
    }
    const TaskTrace* original = play.options.against_converted ? nullptr : &traces[0];
    const TaskTrace& converted = traces.back();
    if (original) {
      std::vector<std::string> found = differences(*original, converted);
      std::vector<bool> seen(step.known.size(), false);
      for (const std::string& difference : found) {
        bool known = false;
        for (std::size_t k = 0; k < step.known.size(); ++k) {
          if (step.known[k].text == difference &&
              known_applies(step.known[k], play.through_client)) {
            known = true;
            seen[k] = true;
          }
        }
        if (known) {
          lines.push_back("known: " + difference);
        } else {
          faults.push_back(difference);
        }
      }
      for (std::size_t k = 0; k < step.known.size(); ++k)
        if (!seen[k] && known_applies(step.known[k], play.through_client))
          faults.push_back("known difference not seen: " + step.known[k].text);
      for (const std::string& failure : check_expectations(step, *original, "original"))
        faults.push_back(failure);
    }
    for (const std::string& failure : check_expectations(step, converted, "converted"))
      faults.push_back(failure);
    for (std::size_t i = 0; i < traces.size(); ++i) {
      std::string who = sides[i] == &play.original ? "the original" : "the converted program";
      std::vector<std::string> undefined = undefined_items(traces[i]);
      if (!traces[i].diverged.empty())
        lines.push_back("what " + who + " did from " + traces[i].diverged +
                        " on depends on storage it never set");
      else if (!undefined.empty())
        lines.push_back("undefined in " + who + ": " + joined(undefined));
    }
    if (original)
      for (const std::string& field : original->unused_fields)
        lines.push_back("field " + field +
                        " was typed, but no RECEIVE MAP of the original took it");
    play.out.line(head + (faults.empty() ? "pass" : "FAIL"));
    for (const std::string& fault : faults) play.out.line("  " + fault);
    for (const std::string& line : lines) play.out.line("  " + line);
    (faults.empty() ? passed : failed) += 1;
  }
  std::size_t steps = play.dialogue.steps.size();
  std::string count = std::to_string(steps) + (steps == 1 ? " step" : " steps");
  if (play.options.record) {
    std::string rewritten = rewrite_script(script_text, play.dialogue, recorded);
    std::string temporary = play.script + ".replay-new";
    struct stat status;
    bool had_mode = stat(play.script.c_str(), &status) == 0;
    if (!write_file(temporary, rewritten) ||
        (had_mode && chmod(temporary.c_str(), status.st_mode & 07777) != 0) ||
        std::rename(temporary.c_str(), play.script.c_str()) != 0) {
      tell("cannot write " + play.script + ": " + std::strerror(errno));
      std::remove(temporary.c_str());
      return kFileError;
    }
    play.out.line(count + " recorded in " + base_of(play.script));
    return kPassed;
  }
  play.out.line(count + ": " + std::to_string(passed) + " pass, " + std::to_string(failed) +
                " fail");
  return failed > 0 ? kFailed : kPassed;
}

// Every field the script types must be one that a RECEIVE MAP of the original fills.
int check_fields(const Play& play) {
  std::vector<std::string> fields;
  for (const Program& program : play.original.programs)
    fields.insert(fields.end(), program.found.input_fields.begin(),
                  program.found.input_fields.end());
  for (const Step& step : play.dialogue.steps) {
    for (const TypedField& field : step.fields) {
      if (std::find(fields.begin(), fields.end(), upper(field.name)) != fields.end()) continue;
      tell(play.script + ":" + std::to_string(field.line) + ": expected a field of an area that " +
           play.dialogue.program + " receives, found \"" + field.name + "\"");
      return kCannotPlay;
    }
  }
  return kPassed;
}

int play_script(const Options& options, const Installation& installation, Printer& out,
                const std::string& work_root, const std::string& script, bool& monitor_built) {
  Play play{options, installation, out,   script, absolute(folder_of(script)), Dialogue(), "",
            Side(),  Side(),       false, {}};
  std::string text;
  if (!is_file(script) || !batch::read_file(script, text)) {
    tell("cannot read " + script +
         (is_folder(script) ? ": a folder" : ": " + std::string(std::strerror(errno))));
    return kFileError;
  }
  std::string error;
  if (!read_dialogue(text, script, play.dialogue, error)) {
    tell(error);
    return kCannotPlay;
  }
  std::string name = base_of(script);
  if (name.size() > 4 && name.compare(name.size() - 4, 4, ".dlg") == 0)
    name.resize(name.size() - 4);
  play.work = work_root + "/" + name;
  remove_tree(play.work);
  if (!make_folders(play.work)) {
    tell("cannot make " + play.work);
    return kFileError;
  }
  int code = prepare_sides(play);
  if (code != kPassed) return code;
  if (!play.refusals.empty()) {
    // Nothing of a play that cannot run is kept.
    remove_tree(play.work);
    for (const Refusal& refusal : play.refusals)
      std::fprintf(stderr, "%s:%d: %s\n", refusal.file.c_str(), refusal.line, refusal.what.c_str());
    tell(play.script + ": " + play.dialogue.program +
         " cannot be played: " + std::to_string(play.refusals.size()) +
         (play.refusals.size() == 1 ? " command or member" : " commands or members") +
         " the stand-in does not play");
    return kCannotPlay;
  }
  if (!options.against_converted) {
    code = check_fields(play);
    if (code != kPassed) {
      remove_tree(play.work);
      return code;
    }
  }
  if (options.precompile_only) {
    for (Side* side : {&play.original, &play.converted})
      for (const Program& program : side->programs)
        out.line("precompiled " + base_of(program.source) + " (" + side->name + ") into " +
                 program.precompiled.substr(work_root.size() + 1));
    return kPassed;
  }
  code = build_monitor(installation, work_root + "/monitor", monitor_built);
  if (code != kPassed) return code;
  code = build_sides(play, work_root + "/monitor");
  if (code != kPassed) return code;
  std::string way = play.through_client ? "through the client" : "through the front end";
  if (options.record) {
    out.line(base_of(script) + ": recording " + play.dialogue.program);
  } else if (options.against_converted) {
    out.line(base_of(script) + ": the conversion of " + play.dialogue.program +
             " against the script's expectations, " + way);
  } else {
    out.line(base_of(script) + ": " + play.dialogue.program + " against its conversion, " + way);
  }
  return play_steps(play, text);
}

}  // namespace

int run_replay(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  Options options = parse_options(arguments);
  Printer out;
  if (options.request == Options::kHelp) {
    out.line(std::string(kUsage.substr(0, kUsage.size() - 1)));
  } else if (options.request == Options::kVersion) {
    out.line("quillox-replay " QUILLOX_VERSION);
  } else if (options.request == Options::kWrong) {
    tell(options.error);
    std::fwrite(kUsage.data(), 1, kUsage.size(), stderr);
    return kCannotPlay;
  }
  if (options.request != Options::kPlay) {
    if (std::fflush(stdout) != 0 || out.failed) {
      tell("cannot write standard output");
      return kFileError;
    }
    return kPassed;
  }
  Installation installation;
  std::string here = executable_folder();
  installation.shared = here + "/../share/quillox";
  installation.monitor = installation.shared + "/replay";
  if (!is_file(installation.monitor + "/KVZRP.cbl")) {
    tell("the stand-in for the monitor is not in " + installation.monitor);
    return kCannotPlay;
  }
  if (!options.precompile_only) {
    installation.cobc = find_in_path("cobc");
    if (installation.cobc.empty()) {
      tell("GnuCOBOL's cobc is needed to play a dialogue and is not on PATH: install GnuCOBOL");
      return kCannotPlay;
    }
  }
  std::string work_root;
  bool temporary = options.keep.empty();
  if (temporary) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/quillox-replay.XXXXXX";
    if (!mkdtemp(pattern.data())) {
      tell("cannot make a temporary folder " + pattern + ": " + std::strerror(errno));
      return kFileError;
    }
    work_root = pattern;
  } else {
    work_root = absolute(options.keep);
    if (!make_folders(work_root)) {
      tell("cannot make " + options.keep + ": " + std::strerror(errno));
      return kFileError;
    }
  }
  int code = kPassed;
  bool monitor_built = false;
  for (const std::string& script : options.scripts)
    code = worse(code, play_script(options, installation, out, work_root, script, monitor_built));
  if (temporary) remove_tree(work_root);
  if (std::fflush(stdout) != 0 || out.failed) {
    tell("cannot write standard output");
    return kFileError;
  }
  return code;
}

}  // namespace replay
