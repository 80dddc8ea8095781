// The new DSP4 front-end program, written from the template with one block per distinct
// screen request of the conversion.
#include "converter/frontend/frontend_generator.h"

#include "converter/driver/conversion_run.h"

namespace converter {

void generate_front_end(ConversionRun&) {}

void write_front_end_line(ConversionRun& run, std::string_view text) { run.front_end_file->write_padded(text); }

void write_condition_line(ConversionRun&, std::string_view, char, bool) {}

void build_front_end(ConversionRun&) {}

}  // namespace converter
