// All state of one QUILLOX run: file names, streams, flags, counters and work areas.
#include "converter/driver/conversion_run.h"

#include <sys/stat.h>

namespace converter {

void close_output(ConversionRun& run, std::unique_ptr<text::OutputFile>& file) {
  if (!file) return;
  if (!file->close()) run.write_failures.push_back(file->name());
  file.reset();
}

void close_input(ConversionRun& run, std::unique_ptr<text::LineReader>& file) {
  if (!file) return;
  if (file->failed()) run.read_failures.push_back(file->name());
  file.reset();
}

void note_read(ConversionRun& run, const text::LineReader& file) {
  run.files_read.insert(file.identity());
}

void note_read(ConversionRun& run, const std::string& name) {
  text::FileIdentity identity;
  if (text::identity_of(name, identity)) run.files_read.insert(identity);
}

OpenOutput describe_output(const std::string& name) {
  OpenOutput output;
  output.key = text::written_path(name);
  struct stat status;
  output.exists = ::stat(name.c_str(), &status) == 0;
  if (output.exists) {
    output.direct = !S_ISREG(status.st_mode);
    output.identity = {status.st_dev, status.st_ino};
  }
  return output;
}

bool claim_output(ConversionRun& run, const OpenOutput& output, const std::string& name,
                  const std::string& source_name, const text::FileIdentity& source) {
  // A device or a FIFO is written as it is, and replaces nothing.
  if (output.direct) return true;
  auto [claimed, added] =
      run.output_sources.try_emplace(output.key, OutputSource{source_name, source});
  if (added || claimed->second.identity == source) return true;
  run.refusals.push_back(claimed->second.name + " and " + source_name +
                         " would both be written to " + name + " - no output written");
  return false;
}

}  // namespace converter
