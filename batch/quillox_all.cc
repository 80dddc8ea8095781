// quillox-all: converts every program of an application folder with QUILLOX, several at a time.
#include "batch/quillox_all.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <queue>
#include <set>
#include <unordered_map>

#include "batch/child_process.h"
#include "batch/command_line.h"
#include "batch/conversion_outcome.h"
#include "batch/conversion_plan.h"
#include "batch/program_scan.h"
#include "batch/run_record.h"
#include "converter/frontend/frontend_generator.h"
#include "text/output_set.h"

namespace batch {

namespace {

// Everything a run needs besides its programs.
struct RunSetup {
  Options options;
  std::string quillox;                       // absolute
  std::vector<std::string> include_folders;  // absolute
  std::string template_file;                 // with --template, absolute
  std::string root;                          // the application folder as shown
  std::string capture_folder;                // where the converters' output is caught
};

// One program of the run, and what became of it.
struct ProgramRun {
  enum class State {
    kWaiting,
    kRunning,
    kConverted,
    kFailed,
    kRefusedClash,
    kRefusedEdited
  } state = State::kWaiting;
  std::vector<std::string> refusals;      // why it is not converted ("not converted: P: ...")
  std::string failure;                    // why its conversion failed, after the program's name
  std::string output;                     // what the converter printed
  std::vector<std::string> notes;         // about a converted program, after its name
  std::vector<std::string> strict_lines;  // what fails it under --strict
  std::vector<RecordedOutput> written;    // what its conversion wrote, for the record
  pid_t pid = -1;
  std::size_t waits = 0;            // conversions it still waits for
  std::vector<std::size_t> blocks;  // conversions waiting for it
};

void say(const std::string& text) {
  std::fprintf(stderr, "quillox-all: %s\n", text.c_str());
}

bool is_folder(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool exists(const std::string& path) {
  struct stat status;
  return lstat(path.c_str(), &status) == 0;
}

// What a file that is not a regular file is, for a refusal; empty for a regular file or none.
std::string not_regular(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode)) return "";
  if (S_ISDIR(status.st_mode)) return "a folder";
  if (S_ISFIFO(status.st_mode)) return "a FIFO";
  if (S_ISSOCK(status.st_mode)) return "a socket";
  return "a device";
}

// Checks what the command line names and fills `setup`; false after saying what is wrong.
bool prepare(const Options& options, const std::string& invoked_as, RunSetup& setup) {
  auto refuse = [](const std::string& message) {
    say(message);
    std::fprintf(stderr, "Try 'quillox-all --help'.\n");
    return false;
  };
  setup.options = options;
  if (!is_folder(options.folder)) return refuse(options.folder + ": not a folder");
  setup.root = options.folder;
  while (setup.root.size() > 1 && setup.root.back() == '/') setup.root.pop_back();
  for (const std::string& folder : options.include_folders) {
    if (!is_folder(folder)) return refuse("-I " + folder + ": not a folder");
    setup.include_folders.push_back(absolute_path(folder));
  }
  if (!options.template_file.empty()) {
    struct stat status;
    if (stat(options.template_file.c_str(), &status) != 0 || !S_ISREG(status.st_mode) ||
        access(options.template_file.c_str(), R_OK) != 0)
      return refuse(options.template_file + ": no readable template file");
    setup.template_file = absolute_path(options.template_file);
  }
  if (setup.options.jobs == 0) {
    long processors = sysconf(_SC_NPROCESSORS_ONLN);
    setup.options.jobs = static_cast<int>(std::clamp(processors, 1L, long{kMaxJobs}));
  }
  std::string error;
  setup.quillox = find_quillox(options.quillox, invoked_as, error);
  if (setup.quillox.empty()) {
    say(error);
    return false;
  }
  return true;
}

// A path as shown made relative to the application folder, as the record keeps it.
std::string relative(const RunSetup& setup, const std::string& shown) {
  if (setup.root == "/") return shown.substr(1);
  return shown.substr(std::min(shown.size(), setup.root.size() + 1));
}

bool wants_front_end(const RunSetup& setup, const Program& program) {
  // A front end is asked for only where there is a template to build it from: without one the
  // run itself says that no front end was built, for the programs with screens.
  return setup.options.front_end &&
         (!setup.template_file.empty() ||
          exists(program.folder + "/" + std::string(converter::kTemplateFileName)));
}

// Where the converter writes the front end of conversion `index`: a folder of the run's own, so
// that nothing is placed beside the programs; the name gives the front end its PROGRAM-ID.
std::string front_end_folder(const RunSetup& setup, std::size_t index) {
  return setup.capture_folder + "/fe" + std::to_string(index);
}
std::string front_end_written(const RunSetup& setup, const Program& program, std::size_t index) {
  return front_end_folder(setup, index) + "/" + program.name + "FE";
}
void remove_front_end_written(const RunSetup& setup, const Program& program, std::size_t index) {
  unlink(front_end_written(setup, program, index).c_str());
  rmdir(front_end_folder(setup, index).c_str());
}

// The arguments of the converter for `program`.
std::vector<std::string> converter_arguments(const RunSetup& setup, const Program& program,
                                             std::size_t index) {
  std::vector<std::string> arguments = {setup.quillox};
  for (const std::string& folder : setup.include_folders) {
    arguments.push_back("-I");
    arguments.push_back(folder);
  }
  bool front_end = wants_front_end(setup, program);
  if (front_end && !setup.template_file.empty()) {
    arguments.push_back("--template");
    arguments.push_back(setup.template_file);
  }
  // The program's name may begin with "-".
  arguments.push_back("--");
  arguments.push_back(program.name);
  if (front_end) {
    // The converted program is called by its name from the front end; the front end becomes
    // NAMEFE.cbl only when it has screens.
    arguments.push_back(program.name + ".new");
    arguments.push_back(front_end_written(setup, program, index));
  }
  return arguments;
}

std::string capture_file(const RunSetup& setup, std::size_t index) {
  return setup.capture_folder + "/" + std::to_string(index);
}

// Starts the conversion of `program`; false with the reason in `run` when it cannot start.
bool start(const RunSetup& setup, const Program& program, std::size_t index, ProgramRun& run) {
  if (wants_front_end(setup, program) && mkdir(front_end_folder(setup, index).c_str(), 0700) != 0) {
    run.failure =
        ": cannot make the folder " + front_end_folder(setup, index) + ": " + std::strerror(errno);
    return false;
  }
  std::string error;
  run.pid = start_in_folder(converter_arguments(setup, program, index), program.folder,
                            capture_file(setup, index), error);
  if (run.pid < 0) {
    run.failure = ": " + error;
    remove_front_end_written(setup, program, index);
    return false;
  }
  run.state = ProgramRun::State::kRunning;
  return true;
}

// Copies the front end the converter wrote to `final_name` as the converter writes its outputs
// (links followed, mode kept, all or nothing); an ending signal waits until it is done. Returns
// why it failed, or empty.
std::string put_front_end(const std::string& written, const std::string& final_name) {
  std::string text;
  if (!read_file(written, text)) return std::string("cannot read it: ") + std::strerror(errno);
  text::EndingSignalsBlocked blocked;
  text::OutputSet set;
  std::string reason;
  std::unique_ptr<text::OutputFile> file = set.open(final_name, reason);
  if (!file) return reason;
  file->write(text);
  if (!file->close()) return "error writing it";
  text::CommitResult result = set.commit({});
  return result.outcome == text::CommitResult::kDone ? "" : result.reason;
}

// The outputs a conversion wrote, with the checksums of their contents, for the record.
std::vector<RecordedOutput> outputs_written(const RunSetup& setup, const Conversion& conversion,
                                            const std::string& front_end, bool front_end_built) {
  std::vector<RecordedOutput> outputs;
  std::set<std::string> seen;
  for (const Touch& touch : conversion.touches) {
    if (touch.use == Use::kRead) continue;
    if (touch.shown == front_end && !front_end_built) continue;
    std::string text;
    if (!seen.insert(touch.file).second || !read_file(touch.shown, text)) continue;
    outputs.push_back({relative(setup, touch.shown), checksum_of(text)});
  }
  return outputs;
}

// After the converter ended: its outcome, its message file, the front end put in place or not,
// and what it wrote.
void finish(const RunSetup& setup, const Program& program, const Conversion& conversion,
            std::size_t index, int status, ProgramRun& run, RunCounts& counts) {
  run.output = take_file(capture_file(setup, index));
  std::string written = front_end_written(setup, program, index);
  run.state = ProgramRun::State::kFailed;
  if (WIFSIGNALED(status)) {
    run.failure = " (QUILLOX ended by signal " + std::to_string(WTERMSIG(status)) + ")";
  } else if (WEXITSTATUS(status) != 0) {
    run.failure = " (QUILLOX exit code " + std::to_string(WEXITSTATUS(status)) + ")";
  }
  std::string message_file = program.folder + "/" + program.name + ".msg";
  std::string text;
  if (run.failure.empty() && !read_file(message_file, text))
    run.failure = ": its message file " + message_file + " cannot be read: " + std::strerror(errno);
  MessageNotes notes = read_message_notes(text);
  // A member whose copy could not be written leaves the conversion incomplete.
  for (const std::string& copy : notes.copies_not_written)
    if (run.failure.empty())
      run.failure = ": the converted copy " + program.folder + "/" + copy + " could not be written";
  if (!run.failure.empty()) {
    remove_front_end_written(setup, program, index);
    return;
  }
  // The members QUILLOX did not find are named below with the program: its own lines about them
  // are not repeated.
  run.output = without_members_not_found(run.output);
  if (!notes.members_not_found.empty()) {
    std::string names;
    for (const std::string& name : notes.members_not_found)
      names += (names.empty() ? "" : ", ") + name;
    std::size_t count = notes.members_not_found.size();
    run.notes.push_back("converted, " + std::to_string(count) + " copybook member" +
                        (count == 1 ? "" : "s") + " not found: " + names);
  }
  if (setup.options.strict)
    for (const std::string& line : notes.manual_steps) run.strict_lines.push_back(line);
  std::string final_name = front_end_file(program);
  bool front_end_built = false;
  if (setup.options.front_end) {
    if (notes.map_requests == 0) {
      // A back-end program: no front end, and one already there stays as it was.
      ++counts.back_end_programs;
    } else if (!notes.front_end_created) {
      ++counts.front_ends_not_built;
      bool no_template = notes.template_not_found || !wants_front_end(setup, program);
      run.notes.push_back(no_template ? "no front end built: no NEWDSP4.TXT beside the program"
                                      : "no front end built: see " + message_file);
    } else if (std::string why = put_front_end(written, final_name); !why.empty()) {
      run.failure = ": its front end cannot be written to " + final_name + ": " + why;
      remove_front_end_written(setup, program, index);
      return;
    } else {
      ++counts.front_ends_built;
      front_end_built = true;
    }
  }
  remove_front_end_written(setup, program, index);
  run.written = outputs_written(setup, conversion, final_name, front_end_built);
  run.state = ProgramRun::State::kConverted;
}

void show_progress(const RunCounts& counts, int done) {
  std::printf("\rquillox-all: %d of %d programs done, %d failed", done, counts.programs,
              counts.failed);
  std::fflush(stdout);
}

bool is_refused(const ProgramRun& run) {
  return run.state == ProgramRun::State::kRefusedClash ||
         run.state == ProgramRun::State::kRefusedEdited;
}

// Runs the conversions that may run, at most `jobs` at a time, each after those it waits for.
// A signal that ends the run is passed to the conversions running, which are waited for.
// Returns that signal, or 0.
int run_conversions(const RunSetup& setup, const std::vector<Program>& programs,
                    const std::vector<Conversion>& conversions, std::vector<ProgramRun>& runs,
                    RunCounts& counts, bool progress) {
  // Ready conversions in name order.
  std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> ready;
  int done = 0;
  int running = 0;
  // Ends a conversion: counts it and lets those that wait for it go.
  auto ended = [&](std::size_t i) {
    ++done;
    if (runs[i].state != ProgramRun::State::kConverted) ++counts.failed;
    if (runs[i].state == ProgramRun::State::kRefusedEdited) ++counts.refused_edited;
    for (std::size_t next : runs[i].blocks)
      if (--runs[next].waits == 0 && !is_refused(runs[next])) ready.push(next);
    if (progress) show_progress(counts, done);
  };
  for (std::size_t i = 0; i < runs.size(); ++i)
    if (runs[i].waits == 0 && !is_refused(runs[i])) ready.push(i);
  for (std::size_t i = 0; i < runs.size(); ++i)
    if (is_refused(runs[i])) ended(i);
  if (progress) show_progress(counts, done);
  auto take = [&](std::size_t i, int status) {
    --running;
    finish(setup, programs[i], conversions[i], i, status, runs[i], counts);
    ended(i);
  };
  while (InterruptGuard::caught() == 0 && (!ready.empty() || running > 0)) {
    while (running < setup.options.jobs && !ready.empty() && InterruptGuard::caught() == 0) {
      std::size_t next = ready.top();
      ready.pop();
      if (start(setup, programs[next], next, runs[next])) {
        ++running;
      } else {
        runs[next].state = ProgramRun::State::kFailed;
        ended(next);
      }
    }
    if (running == 0) continue;
    std::optional<EndedChild> child = wait_for_child();
    int reason = errno;
    if (!child && reason != EINTR) {
      // No child left to wait for, though some were started: none of them can be told apart
      // any more, so each counts as failed rather than as converted.
      for (std::size_t i = 0; i < runs.size(); ++i) {
        if (runs[i].state != ProgramRun::State::kRunning) continue;
        runs[i].state = ProgramRun::State::kFailed;
        runs[i].failure =
            ": its QUILLOX process cannot be waited for: " + std::string(std::strerror(reason));
        ended(i);
      }
      running = 0;
    }
    if (!child) continue;
    for (std::size_t i = 0; i < runs.size(); ++i) {
      if (runs[i].state != ProgramRun::State::kRunning || runs[i].pid != child->pid) continue;
      take(i, child->status);
      break;
    }
  }
  int interrupted = InterruptGuard::caught();
  if (interrupted != 0) {
    // Each conversion still running gets the same signal and removes its own temporary files;
    // one that ended well before it came is taken as converted.
    for (ProgramRun& run : runs)
      if (run.state == ProgramRun::State::kRunning) kill(run.pid, interrupted);
    for (std::size_t i = 0; i < runs.size(); ++i) {
      if (runs[i].state != ProgramRun::State::kRunning) continue;
      int status = 0;
      while (waitpid(runs[i].pid, &status, 0) < 0 && errno == EINTR) {
      }
      take(i, status);
    }
  }
  if (progress) std::printf("\n");
  return interrupted;
}

// What the record and standard error say of a program that was not converted.
std::string reason_of(const ProgramRun& run) {
  switch (run.state) {
    case ProgramRun::State::kRefusedClash:
    case ProgramRun::State::kRefusedEdited: {
      std::string reason;
      for (const std::string& refusal : run.refusals)
        reason += (reason.empty() ? "" : "; ") + refusal;
      return reason;
    }
    case ProgramRun::State::kFailed: {
      std::string_view failure = run.failure;
      if (failure.substr(0, 2) == ": ") return std::string(failure.substr(2));
      if (failure.substr(0, 2) == " (" && failure.back() == ')')
        return std::string(failure.substr(2, failure.size() - 3));
      return std::string(failure);
    }
    case ProgramRun::State::kWaiting:
      return "the run was interrupted before its turn";
    default:
      return "";
  }
}

const char* state_name(ProgramRun::State state) {
  switch (state) {
    case ProgramRun::State::kConverted:
      return "converted";
    case ProgramRun::State::kFailed:
    case ProgramRun::State::kRunning:
      return "failed";
    case ProgramRun::State::kRefusedClash:
      return "refused-clash";
    case ProgramRun::State::kRefusedEdited:
      return "refused-edited";
    default:
      return "not-run";
  }
}

// The record of this run: converted programs with what they wrote, the others with what their
// last successful conversion wrote.
Record record_of(const RunSetup& setup, const std::vector<Program>& programs,
                 const std::vector<ProgramRun>& runs, const Record& earlier) {
  std::unordered_map<std::string, const RecordedProgram*> before;
  for (const RecordedProgram& program : earlier.programs) before[program.path] = &program;
  Record record;
  for (std::size_t i = 0; i < programs.size(); ++i) {
    RecordedProgram entry{relative(setup, programs[i].path), state_name(runs[i].state),
                          reason_of(runs[i]), runs[i].written};
    auto known = before.find(entry.path);
    if (runs[i].state != ProgramRun::State::kConverted && known != before.end())
      entry.outputs = known->second->outputs;
    record.programs.push_back(std::move(entry));
  }
  return record;
}

// Refuses each program an output of which was changed by hand since quillox-all wrote it,
// unless --force.
void refuse_hand_edits(const RunSetup& setup, const std::vector<Conversion>& conversions,
                       const Record& earlier, std::vector<ProgramRun>& runs) {
  HandEdits edits(earlier);
  for (std::size_t i = 0; i < conversions.size(); ++i) {
    if (runs[i].state != ProgramRun::State::kWaiting) continue;
    std::vector<std::string> edited;
    for (const Touch& touch : conversions[i].touches) {
      if (touch.use != Use::kRead && edits.changed(touch.shown, relative(setup, touch.shown)) &&
          std::find(edited.begin(), edited.end(), touch.shown) == edited.end())
        edited.push_back(touch.shown);
    }
    if (edited.empty() || setup.options.force) continue;
    std::string files;
    for (const std::string& file : edited) files += (files.empty() ? "" : ", ") + file;
    runs[i].refusals.push_back("changed by hand since quillox-all wrote it: " + files +
                               " (--force converts it anyway)");
    runs[i].state = ProgramRun::State::kRefusedEdited;
  }
}

// Names each program that was not converted, with the reason, and what the converter said,
// in name order.
void report(const std::vector<Program>& programs, const std::vector<ProgramRun>& runs) {
  for (std::size_t i = 0; i < programs.size(); ++i) {
    const std::string& path = programs[i].path;
    const ProgramRun& run = runs[i];
    for (const std::string& refusal : run.refusals) say("not converted: " + path + ": " + refusal);
    if (run.state == ProgramRun::State::kFailed && !run.failure.empty())
      say("conversion failed: " + path + run.failure);
    for (const std::string& note : run.notes) say(path + ": " + note);
    if (!run.strict_lines.empty()) {
      say("failed under --strict: " + path + ": " + std::to_string(run.strict_lines.size()) +
          " line" + (run.strict_lines.size() == 1 ? "" : "s") + " of its message file need" +
          (run.strict_lines.size() == 1 ? "s" : "") + " a manual step:");
      for (const std::string& line : run.strict_lines)
        std::fprintf(stderr, "    %s\n", line.c_str());
    }
    if (!run.output.empty()) {
      if (run.state == ProgramRun::State::kConverted) say(path + ": QUILLOX said:");
      std::fputs(indented(run.output).c_str(), stderr);
    }
  }
}

// The run of an application folder; `interrupted` gets the signal that ended it early.
int run(const RunSetup& setup, int& interrupted) {
  const Options& options = setup.options;
  auto stopped = [] { return InterruptGuard::caught() != 0; };
  std::vector<std::string> errors;
  std::vector<Program> programs = find_programs(options.folder, errors, stopped);
  if ((interrupted = InterruptGuard::caught()) != 0) return kExitNotAllConverted;
  for (const std::string& error : errors) say(error);
  bool complete = errors.empty();
  if (programs.empty()) {
    say("no program (*.zsc) in " + options.folder);
    return complete ? kExitConverted : kExitNotAllConverted;
  }
  Record earlier;
  std::string error;
  if (!read_record(setup.root, earlier, error)) {
    say(error);
    return kExitNotAllConverted;
  }

  std::vector<ProgramRun> runs(programs.size());
  for (std::size_t i = 0; i < programs.size(); ++i)
    if (!programs[i].refusal.empty()) runs[i].refusals.push_back(programs[i].refusal);
  ScanSettings settings{setup.include_folders, options.front_end};
  ScanCache cache;
  cache.stopped = stopped;
  std::vector<Conversion> conversions;
  conversions.reserve(programs.size());
  for (std::size_t i = 0; i < programs.size() && !stopped(); ++i) {
    conversions.push_back(runs[i].refusals.empty() ? scan_program(cache, settings, programs[i])
                                                   : Conversion{programs[i].path, {}});
  }
  if ((interrupted = InterruptGuard::caught()) != 0) return kExitNotAllConverted;
  Plan plan = plan_conversions(conversions);
  for (std::size_t i = 0; i < programs.size(); ++i) {
    for (const Clash& clash : plan.clashes[i]) {
      runs[i].refusals.push_back(clash.file + " is its " + clash.own_use + " and the " +
                                 clash.other_use + " of " + programs[clash.other].path);
    }
    // An output that is a folder, a FIFO or a device would be waited on or written through.
    for (const Touch& touch : conversions[i].touches) {
      if (touch.use == Use::kRead) continue;
      std::string kind = not_regular(touch.shown);
      std::string refusal = touch.shown + " is its " + touch.what + " and " + kind;
      if (!kind.empty() && std::find(runs[i].refusals.begin(), runs[i].refusals.end(), refusal) ==
                               runs[i].refusals.end())
        runs[i].refusals.push_back(refusal);
    }
    if (!runs[i].refusals.empty()) runs[i].state = ProgramRun::State::kRefusedClash;
    for (std::size_t before : plan.waits_for[i]) runs[before].blocks.push_back(i);
    runs[i].waits = plan.waits_for[i].size();
  }
  refuse_hand_edits(setup, conversions, earlier, runs);

  RunCounts counts;
  counts.programs = static_cast<int>(programs.size());
  counts.front_end = options.front_end;
  bool progress = isatty(STDOUT_FILENO) == 1;
  interrupted = run_conversions(setup, programs, conversions, runs, counts, progress);
  Record record = record_of(setup, programs, runs, earlier);
  bool recorded = write_record(setup.root, record, error);
  if (!recorded) say(error);
  if (interrupted != 0) {
    say("interrupted");
    return kExitNotAllConverted;
  }
  report(programs, runs);
  int strict_failures = 0;
  for (const ProgramRun& run : runs) strict_failures += run.strict_lines.empty() ? 0 : 1;
  counts.failed += strict_failures;
  counts.converted = counts.programs - counts.failed;
  counts.stale_outputs = stale_outputs(setup.root, earlier, record);
  std::printf("quillox-all: %s\n", closing_line(counts).c_str());
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    say(std::string("error writing standard output: ") + std::strerror(errno));
    return kExitOutputFailed;
  }
  return counts.failed == 0 && complete && recorded ? kExitConverted : kExitNotAllConverted;
}

}  // namespace

int run_quillox_all(const std::string& invoked_as, const std::vector<std::string>& arguments) {
  CommandLine command_line = read_command_line(arguments);
  switch (command_line.request) {
    case Request::kHelp:
      if (print_usage()) return kExitConverted;
      say(std::string("error writing standard output: ") + std::strerror(errno));
      return kExitOutputFailed;
    case Request::kVersion:
      std::printf("quillox-all %s\n", QUILLOX_VERSION);
      if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return kExitConverted;
      say(std::string("error writing standard output: ") + std::strerror(errno));
      return kExitOutputFailed;
    case Request::kRefused:
      say(command_line.error);
      std::fprintf(stderr, "Try 'quillox-all --help'.\n");
      return kExitUsage;
    case Request::kRun:
      break;
  }
  RunSetup setup;
  if (!prepare(command_line.options, invoked_as, setup)) return kExitUsage;
  int interrupted = 0;
  int code;
  {
    // From here on every ending signal is caught, so that nothing is left behind by it: no
    // temporary folder, no temporary file, no conversion still running.
    InterruptGuard guard;
    TemporaryFolder capture_folder;
    std::string error;
    if (!capture_folder.create(error)) {
      say(error);
      return kExitUsage;
    }
    setup.capture_folder = capture_folder.path();
    code = run(setup, interrupted);
    if (interrupted == 0) interrupted = InterruptGuard::caught();
  }
  if (interrupted != 0) end_by_signal(interrupted);
  return code;
}

int run_quillox_all(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return run_quillox_all(argc > 0 ? argv[0] : "quillox-all", arguments);
}

}  // namespace batch
