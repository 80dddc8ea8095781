// The precompile step: a program whose EXEC ZARN commands become calls of the stand-in for
// the monitor, and the refusal of every command the stand-in does not play.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "replay/program_source.h"

namespace replay {

/// What a program is in the play; it decides how the program is entered and what its RETURN
/// tells.
enum class Role {
  kOriginal,           // an original program, or a program it calls
  kFrontEnd,           // the converted program's front end: its RETURN tells the header
  kClient,             // the reference client: its RETURN tells the header too
  kConvertedForClient  // a converted program called by the client with its area alone
};

/// A command (or a COPY) that the stand-in does not play, with where it stands.
struct Refusal {
  std::string file;
  int line = 0;
  std::string what;
};

/// How many commands of one form a program has, and whether the stand-in plays them.
struct FormCount {
  std::string form;  // the verb, with the word after it where that tells the form: SEND MAP
  bool played = false;
  int count = 0;
};

/// A map that a SEND MAP or RECEIVE MAP names, with the area it sends or fills.
struct MapUse {
  std::string map;  // in capitals, without quotes; empty when a field names it
  bool receive = false;
  std::string area;  // the FROM or INTO area, or the map's name and "O" or "I"
};

/// What the precompile step found in a program.
struct Precompiled {
  std::string program_id;                 // in capitals
  std::vector<Refusal> refusals;          // empty when the program can be played
  std::vector<std::string> targets;       // programs named by a literal in LINK and XCTL
  bool target_in_field = false;           // a LINK or XCTL names its program in a field
  std::vector<std::string> labels;        // the labels of its HANDLE commands, numbered from 1
  std::vector<std::string> input_fields;  // fields of the areas its RECEIVE MAP commands fill
  std::string aid_member;                 // the file its KVZAID came from, if it copies one
  std::vector<MapUse> maps;               // in the order the commands stand
  std::vector<FormCount> forms;
};

/// The first name of `program_id` line text: PROGRAM-ID. NAME. gives NAME (quotes removed).
std::string program_id_of(std::string_view line);

/// The number of a condition of KVZRESP(name), or -1 for a name outside the table.
int condition_number(std::string_view name);

/// Precompiles `source` (read with `rule` for its members) as a program of role `role` into
/// `output`, a fixed-format COBOL source for cobc. The stand-in's copybooks are read from
/// `monitor_folder`. False with `error` set when a file cannot be read; refusals do not fail
/// the step, they are listed in `result`.
bool precompile(const std::string& source, const MemberRule& rule, Role role,
                const std::string& monitor_folder, std::FILE* output, Precompiled& result,
                std::string& error);

}  // namespace replay
