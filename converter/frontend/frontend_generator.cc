// The new DSP4 front-end program, written from the template with one block per distinct
// screen request of the conversion.
#include "converter/frontend/frontend_generator.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "converter/driver/column_margin.h"
#include "converter/driver/conversion_run.h"
#include "converter/driver/keyword_scanner.h"
#include "message_format/message_format.h"
#include "text/text_format.h"

namespace converter {

using text::format;
using text::LineReader;
using text::OutputFile;

namespace {

constexpr std::string_view kNewProgramToken = "&NEWPROG;";
constexpr std::string_view kReceiveMarker = "INSERT ZVL RECEIVE HERE";
constexpr std::string_view kSendMarker = "INSERT ZVL SEND HERE";
// The marker text stands from column 9, after "*" in column 7 and any character in column 8.
constexpr std::size_t kMarkerTextColumn = 9;

// A marker line is a comment line whose text from column 9 is exactly the marker, with
// nothing after it, not even a blank.
bool is_marker_line(std::string_view line, std::string_view marker) {
  return line.size() == kMarkerTextColumn - 1 + marker.size() && line[6] == '*' &&
         line.substr(kMarkerTextColumn - 1) == marker;
}

// A generated line of a RECEIVE or SEND block: continued on further lines where its text
// would reach beyond column 72, since the compiler ignores what stands there.
void write_block_line(ConversionRun& run, std::string_view text) {
  for (const std::string& piece : break_at_margin(text)) write_front_end_line(run, piece);
}

// The requests of `kind` in the order their blocks are written: those whose map name is a
// literal first, then those whose map name is a field of the converted program (whose value the
// header holds), each group in table order. So a map named by a literal is never shown from
// another request's data area.
std::vector<const MapRequest*> requests_in_block_order(const MapRequestTable& table,
                                                       RequestKind kind) {
  std::vector<const MapRequest*> ordered;
  for (bool literal : {true, false})
    for (const MapRequest& request : table.records)
      if (request.kind == kind && is_literal_name(request.map_name) == literal)
        ordered.push_back(&request);
  return ordered;
}

// How the front end names a request's map or mapset in its commands: a literal as it is, a field
// of the converted program by the header field that holds its value.
std::string_view name_in_front_end(std::string_view name, std::string_view header_field) {
  return is_literal_name(name) ? name : header_field;
}

// " MAPSET(...)" of a command, or nothing when the request named no mapset (the monitor then
// takes the map's own name).
std::string mapset_option(const MapRequest& request) {
  if (request.mapset_name.empty()) return std::string();
  return format(" MAPSET(%s)", {name_in_front_end(request.mapset_name, "USRMAPSET")});
}

// Each turn starts with empty map areas, as every task of the original started with a fresh
// WORKING-STORAGE: areas that travel in the communication area would otherwise keep the last
// turn's values wherever the user typed nothing.
void write_area_clearing(ConversionRun& run) {
  std::vector<std::string> cleared;
  for (const MapRequest& request : run.map_requests.records) {
    if (request.kind == RequestKind::kSendText) continue;
    std::string area = map_area(request);
    if (area.empty() || std::find(cleared.begin(), cleared.end(), area) != cleared.end()) continue;
    write_block_line(run, format("           MOVE LOW-VALUES TO %s", {area}));
    cleared.push_back(std::move(area));
  }
}

void write_receive_blocks(ConversionRun& run) {
  write_area_clearing(run);
  int receive_count = 0;
  for (const MapRequest* request :
       requests_in_block_order(run.map_requests, RequestKind::kReceiveMap)) {
    ++receive_count;
    // A name that is a field of the converted program is already in the header.
    if (is_literal_name(request->map_name))
      write_block_line(run, format("           MOVE %s TO USRMAPNAME", {request->map_name}));
    if (is_literal_name(request->mapset_name))
      write_block_line(run, format("           MOVE %s TO USRMAPSET", {request->mapset_name}));
    write_block_line(
        run, format("           EXEC ZARN RECEIVE MAP(%s)%s",
                    {name_in_front_end(request->map_name, "USRMAPNAME"), mapset_option(*request)}));
    if (!request->data_arg.empty())
      write_block_line(run, format("                   INTO(%s)", {request->data_arg}));
    write_block_line(run, "               END-EXEC");
  }
  OutputFile& log = *run.message_file;
  log.print(message_format::kReceiveCount, {receive_count});
  if (receive_count > 1) log.print(message_format::kMultipleReceives, {});
}

// The FROM and LENGTH line of a SEND block; nothing when the request has neither.
void write_data_line(ConversionRun& run, const MapRequest& request) {
  bool data = !request.data_arg.empty();
  bool length = !request.length_arg.empty();
  if (data && length)
    write_block_line(run, format("                   FROM(%s) LENGTH(%s)",
                                 {request.data_arg, request.length_arg}));
  else if (data)
    write_block_line(run, format("                   FROM(%s)", {request.data_arg}));
  else if (length)
    write_block_line(run, format("                   LENGTH(%s)", {request.length_arg}));
}

// The screen options of a SEND block and its END-EXEC. An absent option among the first four
// keeps its blank, so the options that are present stand where they would with all four;
// ALARM and CURSOR follow them.
void write_options_line(ConversionRun& run, const MapRequest& request) {
  std::string_view erase = request.erase_code == 'E'   ? "ERASE"
                           : request.erase_code == 'U' ? "ERASEAUP"
                                                       : "";
  std::string_view send_type = request.send_type == 'D'   ? "DATAONLY"
                               : request.send_type == 'M' ? "MAPONLY"
                                                          : "";
  std::string_view freekb = request.freekb ? "FREEKB" : "";
  std::string_view frset = request.frset ? "FRSET" : "";
  bool alarm = request.alarm_code == 'A';
  if (erase.empty() && send_type.empty() && freekb.empty() && frset.empty() && !alarm &&
      !request.cursor) {
    write_block_line(run, "                   END-EXEC");
    return;
  }
  std::string line = format("                   %s %s %s %s ", {erase, send_type, freekb, frset});
  if (alarm) line += "ALARM ";
  if (request.cursor) line += "CURSOR ";
  line += "END-EXEC";
  write_block_line(run, line);
}

void write_send_blocks(ConversionRun& run) {
  int send_total = 0;
  for (std::size_t n = 0; n < run.map_requests.records.size(); ++n)
    if (run.map_requests.records[n].kind == RequestKind::kSendMap)
      send_total += run.map_requests.times[n];
  int unique_count = 0;
  for (const MapRequest* request :
       requests_in_block_order(run.map_requests, RequestKind::kSendMap)) {
    ++unique_count;
    if (is_literal_name(request->map_name))
      write_block_line(run, format("           IF USRMAPNAME = %s AND", {request->map_name}));
    else
      write_block_line(run, "           IF USRMAPNAME NOT = 'SENDTEXT' AND");
    write_condition_line(run, "ERASESW", request->erase_code, false);
    write_condition_line(run, "ALARMSW", request->alarm_code, false);
    write_condition_line(run, "SENDTYPE", request->send_type, true);
    write_block_line(
        run, format("               EXEC ZARN SEND MAP(%s)%s",
                    {name_in_front_end(request->map_name, "USRMAPNAME"), mapset_option(*request)}));
    write_data_line(run, *request);
    write_options_line(run, *request);
    write_block_line(run, "           END-IF");
  }
  OutputFile& log = *run.message_file;
  log.print(message_format::kSendCount, {send_total});
  if (unique_count != send_total) log.print(message_format::kUniqueSendCount, {unique_count});
}

}  // namespace

TemplatePaths template_paths(std::string_view first_argument) {
  std::size_t separator = first_argument.find_last_of("\\/");
  std::string_view folder = separator == std::string_view::npos
                                ? std::string_view()
                                : first_argument.substr(0, separator + 1);
  return {std::string(kTemplateFileName), std::string(folder).append(kTemplateFileName)};
}

void generate_front_end(ConversionRun& run) {
  std::string line;
  while (run.template_file->read_piece(line)) {
    // Whatever followed PROGRAM-ID (the old name, a sequence number) gives way to the new name.
    std::size_t program_id = find_keyword(line, "PROGRAM-ID");
    if (program_id != std::string::npos) {
      line.erase(program_id + 10);
      line.append(". ").append(run.front_end_name).append(".");
    }
    std::size_t token = line.find(kNewProgramToken);
    if (token != std::string::npos)
      line.replace(token, kNewProgramToken.size(), run.new_program_name);

    if (is_marker_line(line, kReceiveMarker)) {
      write_receive_blocks(run);
    } else if (is_marker_line(line, kSendMarker)) {
      write_send_blocks(run);
    } else {
      // Template lines are the user's own text: written whole, never broken or cut.
      write_front_end_line(run, line);
    }
  }
}

void write_front_end_line(ConversionRun& run, std::string_view text) {
  run.front_end_file->write_padded(text);
}

void write_condition_line(ConversionRun& run, std::string_view switch_name, char code, bool last) {
  std::string text = format("               %s IS EQUAL TO '%c' ", {switch_name, code});
  text.append(last ? "THEN" : "AND");
  write_block_line(run, text);
}

std::vector<std::string> template_names(const ConversionRun& run) {
  if (!run.template_file_name.empty()) return {run.template_file_name};
  TemplatePaths paths = template_paths(run.first_argument);
  return {paths.here, paths.beside_program};
}

void build_front_end(ConversionRun& run) {
  OutputFile& log = *run.message_file;
  // The template is looked for first: without one no front-end file is created or changed.
  for (const std::string& name : template_names(run)) {
    run.template_file = LineReader::open(name);
    if (run.template_file) break;
  }
  if (!run.template_file) {
    std::string missing =
        run.template_file_name.empty() ? std::string(kTemplateFileName) : run.template_file_name;
    log.print(message_format::kTemplateNotFound, {missing});
    std::fprintf(stderr, "QUILLOX: no front end written: %s not found\n", missing.c_str());
    return;
  }
  // A front-end name that denotes a file the run read (a member, the template) replaces
  // nothing: the commit refuses it.
  note_read(run, *run.template_file);
  std::string reason;
  run.front_end_file = run.outputs.open(run.front_end_file_name, reason);
  if (!run.front_end_file) {
    log.print(message_format::kFrontEndNotOpened, {});
    close_input(run, run.template_file);
    return;
  }
  log.print(message_format::kFrontEndCreated, {run.front_end_name});
  generate_front_end(run);
  close_input(run, run.template_file);
  close_output(run, run.front_end_file);
}

}  // namespace converter
