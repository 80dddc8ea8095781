// Which conversions of a run may not run, and which must wait for which: from the files each
// conversion reads and writes.
#include "batch/conversion_plan.h"

#include <algorithm>
#include <unordered_map>

namespace batch {

namespace {

bool writes(const Touch& touch) {
  return touch.use != Use::kRead;
}

// One conversion's touch of a file: its write when it writes the file at all, else its read.
struct Toucher {
  std::size_t conversion;
  const Touch* touch;
};

// Whether the touches of two different conversions of one file lose or change what one of
// them writes or reads.
bool clash(const Touch& a, const Touch& b) {
  if (!writes(a) && !writes(b)) return false;
  // Two conversions of one member write the same text: the later one stays, as when the
  // programs are converted one after the other.
  return !(a.use == Use::kMemberOutput && b.use == Use::kMemberOutput && a.source == b.source);
}

void add_clash(std::vector<Clash>& clashes, std::size_t other, const Touch& own,
               const Touch& others) {
  for (const Clash& known : clashes)
    if (known.other == other && known.file == own.shown) return;
  clashes.push_back({other, own.shown, own.what, others.what});
}

void add_wait(std::vector<std::size_t>& waits, std::size_t before) {
  if (std::find(waits.begin(), waits.end(), before) == waits.end()) waits.push_back(before);
}

}  // namespace

Plan plan_conversions(const std::vector<Conversion>& conversions) {
  // Every file touched, with its touchers in the order of the conversions.
  std::unordered_map<std::string, std::vector<Toucher>> files;
  std::vector<const std::string*> file_order;  // first touch first, so that the plan does not
                                               // depend on the map's order
  for (std::size_t c = 0; c < conversions.size(); ++c) {
    for (const Touch& touch : conversions[c].touches) {
      auto [entry, added] = files.try_emplace(touch.file);
      if (added) file_order.push_back(&entry->first);
      std::vector<Toucher>& touchers = entry->second;
      if (!touchers.empty() && touchers.back().conversion == c) {
        if (writes(touch) && !writes(*touchers.back().touch)) touchers.back().touch = &touch;
        continue;
      }
      touchers.push_back({c, &touch});
    }
  }

  Plan plan;
  plan.clashes.resize(conversions.size());
  plan.waits_for.resize(conversions.size());
  for (const std::string* file : file_order) {
    const std::vector<Toucher>& touchers = files[*file];
    for (const Toucher& writer : touchers) {
      if (!writes(*writer.touch)) continue;
      for (const Toucher& other : touchers) {
        if (other.conversion == writer.conversion || !clash(*writer.touch, *other.touch)) continue;
        add_clash(plan.clashes[writer.conversion], other.conversion, *writer.touch, *other.touch);
        add_clash(plan.clashes[other.conversion], writer.conversion, *other.touch, *writer.touch);
      }
    }
  }
  for (const std::string* file : file_order) {
    const std::vector<Toucher>& touchers = files[*file];
    bool written = std::any_of(touchers.begin(), touchers.end(), [&plan](const Toucher& t) {
      return writes(*t.touch) && plan.clashes[t.conversion].empty();
    });
    if (!written) continue;
    const Toucher* previous = nullptr;
    for (const Toucher& toucher : touchers) {
      if (!plan.clashes[toucher.conversion].empty()) continue;
      if (previous) add_wait(plan.waits_for[toucher.conversion], previous->conversion);
      previous = &toucher;
    }
  }
  return plan;
}

}  // namespace batch
