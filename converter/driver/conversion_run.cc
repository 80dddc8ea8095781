// All state of one QUILLOX run: file names, streams, flags, counters and work areas.
#include "converter/driver/conversion_run.h"

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
  run.files_read.push_back(file.identity());
}

void note_read(ConversionRun& run, const std::string& name) {
  text::FileIdentity identity;
  if (text::identity_of(name, identity)) run.files_read.push_back(identity);
}

}  // namespace converter
