// The reference client: a program that calls a converted program the way the header's contract
// says, written for the play of one dialogue.
#pragma once

#include <string>
#include <vector>

#include "replay/precompile.h"

namespace replay {

/// A map the client shows and receives: its name and its two areas.
struct ClientMap {
  std::string map;
  std::string input_area;
  std::string output_area;
};

/// The maps the client knows, from the SEND MAP and RECEIVE MAP commands of the original.
std::vector<ClientMap> client_maps(const std::vector<MapUse>& uses);

/// The lines of the converted program's communication area: from the 01 KVZCOMMAREA entry of
/// its LINKAGE SECTION to the next 01 or 77 entry or header, COPY lines included. False with
/// `error` when the program cannot be read or declares none.
bool communication_area_lines(const std::string& converted_file, std::vector<std::string>& lines,
                              std::string& error);

/// The source of the client KVZRPCLI for the converted program `program`: each turn it takes the
/// area kept from the last one (USRCALEN with it) and the screen it showed, clears the map
/// areas, sets USRAID, and USRMAPNAME and USRMAPSET to the map shown last, receives its data
/// when a map is on the screen (USRMAPLN 1, else 0), clears the outputs, calls the program with
/// the area alone and cancels it, then shows what the header asks for and returns with NXTRNID.
std::string client_source(const std::string& program, const std::vector<std::string>& area_lines,
                          const std::vector<ClientMap>& maps);

}  // namespace replay
