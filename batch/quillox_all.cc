// quillox-all: converts every program of an application folder with QUILLOX, several at a time.
#include "batch/quillox_all.h"

#include <fcntl.h>
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

#include "batch/child_process.h"
#include "batch/command_line.h"
#include "batch/conversion_outcome.h"
#include "batch/conversion_plan.h"
#include "batch/program_scan.h"
#include "converter/frontend/frontend_generator.h"

namespace batch {

namespace {

// Files put in place for the run (templates, links to programs), removed when the run ends,
// however it ends.
class PlacedFiles {
 public:
  PlacedFiles() = default;
  ~PlacedFiles() {
    for (const std::string& file : files_) unlink(file.c_str());
  }
  PlacedFiles(const PlacedFiles&) = delete;
  PlacedFiles& operator=(const PlacedFiles&) = delete;

  void add(const std::string& file) { files_.push_back(file); }
  void remove(const std::string& file) {
    unlink(file.c_str());
    files_.erase(std::remove(files_.begin(), files_.end(), file), files_.end());
  }

 private:
  std::vector<std::string> files_;
};

// Everything a run needs besides its programs.
struct RunSetup {
  Options options;
  std::string quillox;                       // absolute
  std::vector<std::string> include_folders;  // absolute
  std::string template_text;                 // with --template
  std::string front_end_suffix;              // of the name the converter writes a front end to
  std::string capture_folder;                // where the converters' output is caught
};

// One program of the run, and what became of it.
struct ProgramRun {
  enum class State { kWaiting, kRunning, kConverted, kFailed } state = State::kWaiting;
  std::vector<std::string> refusals;  // why it is not converted ("not converted: P: ...")
  std::string failure;                // why its conversion failed, after the program's name
  std::string output;                 // what the converter printed
  std::vector<std::string> notes;     // about a converted program, after its name
  pid_t pid = -1;
  std::string placed_input;         // the link NAME.zsc made for a program written NAME.ZSC
  std::size_t waits = 0;            // conversions it still waits for
  std::vector<std::size_t> blocks;  // conversions waiting for it
};

void say(const std::string& text) {
  std::fprintf(stderr, "quillox-all: %s\n", text.c_str());
}

// `text` with four blanks before each line, for output relayed from the converter.
std::string indented(const std::string& text) {
  std::string lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines += "    " + text.substr(start, end - start) + "\n";
    start = end + 1;
  }
  return lines;
}

// `output` of a converter without its lines "QUILLOX: copy member NAME not found".
std::string without_members_not_found(const std::string& output) {
  static constexpr std::string_view kStart = "QUILLOX: copy member ";
  static constexpr std::string_view kEnd = " not found";
  std::string kept;
  std::size_t start = 0;
  while (start < output.size()) {
    std::size_t end = output.find('\n', start);
    if (end == std::string::npos) end = output.size();
    std::string_view line = std::string_view(output).substr(start, end - start);
    bool about_member = line.size() > kStart.size() + kEnd.size() &&
                        line.substr(0, kStart.size()) == kStart &&
                        line.substr(line.size() - kEnd.size()) == kEnd;
    if (!about_member) kept.append(output, start, std::min(end + 1, output.size()) - start);
    start = end + 1;
  }
  return kept;
}

bool is_folder(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool exists(const std::string& path) {
  struct stat status;
  return lstat(path.c_str(), &status) == 0;
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
  for (const std::string& folder : options.include_folders) {
    if (!is_folder(folder)) return refuse("-I " + folder + ": not a folder");
    setup.include_folders.push_back(absolute_path(folder));
  }
  if (!options.template_file.empty()) {
    struct stat status;
    if (stat(options.template_file.c_str(), &status) != 0 || !S_ISREG(status.st_mode) ||
        !read_file(options.template_file, setup.template_text))
      return refuse(options.template_file + ": no readable template file");
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
  setup.front_end_suffix = ".quillox-all-" + std::to_string(getpid());
  return true;
}

// Puts the template as NEWDSP4.TXT into `folder` for the run. Returns why the programs of the
// folder cannot be converted: a different NEWDSP4.TXT is already there (it stays), or the copy
// cannot be made; empty when the template is in place.
std::string place_template(const RunSetup& setup, const std::string& folder, PlacedFiles& placed) {
  std::string target = folder + "/" + std::string(converter::kTemplateFileName);
  if (exists(target)) {
    std::string present;
    if (!read_file(target, present) || present != setup.template_text)
      return target + " differs from the template and is not replaced";
    return "";
  }
  int fd = open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return "the template cannot be copied to " + target + ": " + std::strerror(errno);
  placed.add(target);
  const std::string& text = setup.template_text;
  bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  int reason = errno;
  if (close(fd) != 0 && written) {
    written = false;
    reason = errno;
  }
  if (written) return "";
  placed.remove(target);
  return "the template cannot be copied to " + target + ": " + std::strerror(reason);
}

// With a template: NEWDSP4.TXT beside the programs of each folder for the run, or the programs
// of the folder refused.
void place_templates(const RunSetup& setup, const std::vector<Program>& programs,
                     std::vector<ProgramRun>& runs, PlacedFiles& placed) {
  std::map<std::string, std::string> refusal_of;  // by folder
  for (std::size_t i = 0; i < programs.size(); ++i) {
    const std::string& folder = programs[i].folder;
    auto [entry, added] = refusal_of.try_emplace(folder);
    if (added) entry->second = place_template(setup, folder, placed);
    if (!entry->second.empty()) runs[i].refusals.push_back(entry->second);
  }
}

// The arguments of the converter for `program`.
std::vector<std::string> converter_arguments(const RunSetup& setup, const Program& program) {
  std::vector<std::string> arguments = {setup.quillox};
  for (const std::string& folder : setup.include_folders) {
    arguments.push_back("-I");
    arguments.push_back(folder);
  }
  // The program's name may begin with "-".
  arguments.push_back("--");
  arguments.push_back(program.name);
  // A front end is asked for only where there is a template to build it from: without one the
  // run itself says that no front end was built, for the programs with screens.
  if (setup.options.front_end &&
      exists(program.folder + "/" + std::string(converter::kTemplateFileName))) {
    // The converted program is called by its name from the front end; the front end is
    // written under a name of the run's own, and becomes NAMEFE.cbl only when it has screens.
    arguments.push_back(program.name + ".new");
    arguments.push_back(program.name + "FE" + setup.front_end_suffix);
  }
  return arguments;
}

std::string front_end_written(const RunSetup& setup, const Program& program) {
  return program.folder + "/" + program.name + "FE" + setup.front_end_suffix;
}

std::string capture_file(const RunSetup& setup, std::size_t index) {
  return setup.capture_folder + "/" + std::to_string(index);
}

// Starts the conversion of `program`; false with the reason in `run` when it cannot start.
bool start(const RunSetup& setup, const Program& program, std::size_t index, ProgramRun& run,
           PlacedFiles& placed) {
  if (program.extension != "zsc") {
    // The converter reads NAME.zsc: a link of that name stands for NAME.ZSC during the
    // conversion.
    std::string link = converter_input(program);
    std::string target = program.name + "." + program.extension;
    if (symlink(target.c_str(), link.c_str()) != 0) {
      run.failure = ": cannot make the link " + link + " to " + target +
                    " for QUILLOX: " + std::strerror(errno);
      return false;
    }
    placed.add(link);
    run.placed_input = link;
  }
  std::string error;
  run.pid = start_in_folder(converter_arguments(setup, program), program.folder,
                            capture_file(setup, index), error);
  if (run.pid < 0) {
    run.failure = ": " + error;
    return false;
  }
  run.state = ProgramRun::State::kRunning;
  return true;
}

// After the converter ended: its outcome, its message file, and the front end put in place or
// removed.
void finish(const RunSetup& setup, const Program& program, std::size_t index, int status,
            ProgramRun& run, RunCounts& counts, PlacedFiles& placed) {
  run.output = take_file(capture_file(setup, index));
  if (!run.placed_input.empty()) placed.remove(run.placed_input);
  std::string written = front_end_written(setup, program);
  run.state = ProgramRun::State::kFailed;
  if (WIFSIGNALED(status)) {
    run.failure = " (QUILLOX ended by signal " + std::to_string(WTERMSIG(status)) + ")";
  } else if (WEXITSTATUS(status) != 0) {
    run.failure = " (QUILLOX exit code " + std::to_string(WEXITSTATUS(status)) + ")";
  }
  if (!run.failure.empty()) {
    if (setup.options.front_end) unlink(written.c_str());
    return;
  }
  std::string message_file = program.folder + "/" + program.name + ".msg";
  std::string text;
  if (!read_file(message_file, text)) {
    run.failure = ": its message file " + message_file + " cannot be read: " + std::strerror(errno);
    if (setup.options.front_end) unlink(written.c_str());
    return;
  }
  MessageNotes notes = read_message_notes(text);
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
  if (setup.options.front_end) {
    std::string final_name = front_end_file(program);
    if (notes.map_requests == 0) {
      // A back-end program: no front end, and one already there stays as it was.
      unlink(written.c_str());
      ++counts.back_end_programs;
    } else if (!notes.front_end_created) {
      unlink(written.c_str());
      ++counts.front_ends_not_built;
      bool no_template = notes.template_not_found ||
                         !exists(program.folder + "/" + std::string(converter::kTemplateFileName));
      run.notes.push_back(no_template ? "no front end built: no NEWDSP4.TXT beside the program"
                                      : "no front end built: see " + message_file);
    } else if (std::rename(written.c_str(), final_name.c_str()) != 0) {
      run.failure =
          ": its front end cannot be renamed to " + final_name + ": " + std::strerror(errno);
      unlink(written.c_str());
      return;
    } else {
      ++counts.front_ends_built;
    }
  }
  run.state = ProgramRun::State::kConverted;
}

void show_progress(const RunCounts& counts, int done) {
  std::printf("\rquillox-all: %d of %d programs done, %d failed", done, counts.programs,
              counts.failed);
  std::fflush(stdout);
}

// Runs the conversions that may run, at most `jobs` at a time, each after those it waits for.
// Returns the signal that interrupted the run, or 0.
int run_conversions(const RunSetup& setup, const std::vector<Program>& programs,
                    std::vector<ProgramRun>& runs, RunCounts& counts, PlacedFiles& placed,
                    bool progress) {
  InterruptGuard guard;
  // Ready conversions in name order.
  std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> ready;
  int done = 0;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    if (!runs[i].refusals.empty()) {
      ++done;
      ++counts.failed;
    } else if (runs[i].waits == 0) {
      ready.push(i);
    }
  }
  if (progress) show_progress(counts, done);
  int running = 0;
  // Ends a conversion: counts it and lets those that wait for it go.
  auto ended = [&](std::size_t i) {
    ++done;
    if (runs[i].state == ProgramRun::State::kFailed) ++counts.failed;
    for (std::size_t next : runs[i].blocks)
      if (--runs[next].waits == 0) ready.push(next);
    if (progress) show_progress(counts, done);
  };
  while (InterruptGuard::caught() == 0 && (!ready.empty() || running > 0)) {
    while (running < setup.options.jobs && !ready.empty() && InterruptGuard::caught() == 0) {
      std::size_t next = ready.top();
      ready.pop();
      if (start(setup, programs[next], next, runs[next], placed)) {
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
      --running;
      finish(setup, programs[i], i, child->status, runs[i], counts, placed);
      ended(i);
      break;
    }
  }
  int interrupted = InterruptGuard::caught();
  if (interrupted != 0) {
    // The conversions still running are stopped; each removes its own temporary files.
    for (ProgramRun& run : runs)
      if (run.state == ProgramRun::State::kRunning) kill(run.pid, SIGTERM);
    for (std::size_t i = 0; i < runs.size(); ++i) {
      if (runs[i].state != ProgramRun::State::kRunning) continue;
      int status = 0;
      while (waitpid(runs[i].pid, &status, 0) < 0 && errno == EINTR) {
      }
      unlink(capture_file(setup, i).c_str());
      if (setup.options.front_end) unlink(front_end_written(setup, programs[i]).c_str());
    }
  }
  if (progress) std::printf("\n");
  return interrupted;
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
    if (!run.output.empty()) {
      if (run.state == ProgramRun::State::kConverted) say(path + ": QUILLOX said:");
      std::fputs(indented(run.output).c_str(), stderr);
    }
  }
}

int run(const RunSetup& setup) {
  const Options& options = setup.options;
  std::vector<std::string> errors;
  std::vector<Program> programs = find_programs(options.folder, errors);
  for (const std::string& error : errors) say(error);
  bool complete = errors.empty();
  if (programs.empty()) {
    say("no program (*.zsc) in " + options.folder);
    return complete ? kExitConverted : kExitNotAllConverted;
  }

  std::vector<ProgramRun> runs(programs.size());
  for (std::size_t i = 0; i < programs.size(); ++i)
    if (!programs[i].refusal.empty()) runs[i].refusals.push_back(programs[i].refusal);
  PlacedFiles placed;
  if (!options.template_file.empty()) place_templates(setup, programs, runs, placed);

  ScanSettings settings{setup.include_folders, options.front_end};
  ScanCache cache;
  std::vector<Conversion> conversions;
  conversions.reserve(programs.size());
  for (std::size_t i = 0; i < programs.size(); ++i) {
    conversions.push_back(runs[i].refusals.empty() ? scan_program(cache, settings, programs[i])
                                                   : Conversion{programs[i].path, {}});
  }
  Plan plan = plan_conversions(conversions);
  for (std::size_t i = 0; i < programs.size(); ++i) {
    for (const Clash& clash : plan.clashes[i]) {
      runs[i].refusals.push_back(clash.file + " is its " + clash.own_use + " and the " +
                                 clash.other_use + " of " + programs[clash.other].path);
    }
    for (std::size_t before : plan.waits_for[i]) runs[before].blocks.push_back(i);
    runs[i].waits = plan.waits_for[i].size();
  }

  RunCounts counts;
  counts.programs = static_cast<int>(programs.size());
  counts.front_end = options.front_end;
  bool progress = isatty(STDOUT_FILENO) == 1;
  int interrupted = run_conversions(setup, programs, runs, counts, placed, progress);
  if (interrupted != 0) {
    say("interrupted");
    return 128 + interrupted;
  }
  report(programs, runs);
  counts.converted = counts.programs - counts.failed;
  std::printf("quillox-all: %s\n", closing_line(counts).c_str());
  std::fflush(stdout);
  return counts.failed == 0 && complete ? kExitConverted : kExitNotAllConverted;
}

}  // namespace

int run_quillox_all(const std::string& invoked_as, const std::vector<std::string>& arguments) {
  CommandLine command_line = read_command_line(arguments);
  switch (command_line.request) {
    case Request::kHelp:
      print_usage();
      return kExitConverted;
    case Request::kVersion:
      std::printf("quillox-all %s\n", QUILLOX_VERSION);
      return kExitConverted;
    case Request::kRefused:
      say(command_line.error);
      std::fprintf(stderr, "Try 'quillox-all --help'.\n");
      return kExitUsage;
    case Request::kRun:
      break;
  }
  RunSetup setup;
  if (!prepare(command_line.options, invoked_as, setup)) return kExitUsage;
  TemporaryFolder capture_folder;
  std::string error;
  if (!capture_folder.create(error)) {
    say(error);
    return kExitUsage;
  }
  setup.capture_folder = capture_folder.path();
  return run(setup);
}

int run_quillox_all(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return run_quillox_all(argc > 0 ? argv[0] : "quillox-all", arguments);
}

}  // namespace batch
