#include "autoplay/TReplay.h"

#include <algorithm>
#include <sstream>

#include "autoplay/TPolicy.h"

namespace {

constexpr char kMagic[] = "krambol-autoplay-replay 1";
// Map files larger than this are not taken into a replay.
constexpr size_t kLargestMap = 64u << 20;

}  // namespace

bool ReadReplay(const std::filesystem::path& in_path, TReplay& out_replay, std::string& out_error) {
  std::ifstream file(in_path, std::ios::binary);
  if (!file) {
    out_error = "cannot open " + in_path.string();
    return false;
  }
  TReplay replay;
  std::string line;
  int lineNumber = 0;
  const auto fail = [&](const std::string& what) {
    out_error = in_path.string() + ":" + std::to_string(lineNumber) + ": " + what;
    return false;
  };
  if (!std::getline(file, line) || line != kMagic) return fail("not a replay file");
  ++lineNumber;
  while (std::getline(file, line)) {
    ++lineNumber;
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    if (verb == "seed") {
      if (!(words >> replay.Seed)) return fail("bad seed");
    } else if (verb == "policies") {
      if (!(words >> replay.Policies[0] >> replay.Policies[1]) || !IsPolicyName(replay.Policies[0]) ||
          !IsPolicyName(replay.Policies[1]))
        return fail("bad policies");
    } else if (verb == "swap") {
      int swap = 0;
      if (!(words >> swap)) return fail("bad swap");
      replay.Swap = swap != 0;
    } else if (verb == "turns") {
      if (!(words >> replay.Turns) || replay.Turns <= 0) return fail("bad turn cap");
    } else if (verb == "draw-every") {
      if (!(words >> replay.DrawEvery) || replay.DrawEvery < 0) return fail("bad draw-every");
    } else if (verb == "map") {
      TMapFile map;
      size_t size = 0;
      if (!(words >> map.Name >> size) || size > kLargestMap) return fail("bad map line");
      map.Bytes.resize(size);
      if (!file.read(map.Bytes.data(), static_cast<std::streamsize>(size))) return fail("the map's bytes end early");
      std::string rest;
      std::getline(file, rest);
      if (!rest.empty()) return fail("the map's bytes run on");
      lineNumber += static_cast<int>(std::count(map.Bytes.begin(), map.Bytes.end(), '\n')) + 1;
      replay.Maps.push_back(std::move(map));
    } else if (verb == "game") {
      TReplayGame game;
      if (!(words >> game.Map)) return fail("bad game line");
      if (words >> game.Policies[0]) {
        if (!(words >> game.Policies[1]) || !IsPolicyName(game.Policies[0]) || !IsPolicyName(game.Policies[1]))
          return fail("bad policies of a game");
      }
      replay.Games.push_back(std::move(game));
    } else if (verb == "result") {
      if (replay.Games.empty()) return fail("a result before any game");
      std::getline(words >> std::ws, replay.Games.back().Result);
    } else if (verb == "quit") {
      replay.Quit = true;
    } else if (verb == "failure") {
      std::getline(words >> std::ws, replay.Failure);
    } else if (const auto action = ParseAction(line)) {
      if (replay.Games.empty()) return fail("an action before any game");
      replay.Games.back().Actions.push_back(*action);
    } else {
      return fail("unknown line: " + line);
    }
  }
  out_replay = std::move(replay);
  return true;
}

TReplayWriter::TReplayWriter(const std::filesystem::path& in_path, const TReplay& in_header)
    : File_(in_path, std::ios::binary | std::ios::trunc) {
  Line(kMagic);
  Line("seed " + std::to_string(in_header.Seed));
  Line("policies " + in_header.Policies[0] + " " + in_header.Policies[1]);
  Line("swap " + std::string(in_header.Swap ? "1" : "0"));
  Line("turns " + std::to_string(in_header.Turns));
  Line("draw-every " + std::to_string(in_header.DrawEvery));
  for (const TMapFile& map : in_header.Maps) {
    File_ << "map " << map.Name << " " << map.Bytes.size() << "\n";
    File_.write(map.Bytes.data(), static_cast<std::streamsize>(map.Bytes.size()));
    File_ << "\n";
  }
  File_.flush();
}

void TReplayWriter::Game(const std::string& in_map, const std::string* in_policies) {
  if (in_policies && !in_policies[0].empty())
    Line("game " + in_map + " " + in_policies[0] + " " + in_policies[1]);
  else
    Line("game " + in_map);
}

void TReplayWriter::Action(const TAction& in_action) { Line(ActionText(in_action)); }

void TReplayWriter::Result(const std::string& in_result) { Line("result " + in_result); }

void TReplayWriter::Quit() { Line("quit"); }

void TReplayWriter::Failure(const std::string& in_what) {
  // One line: the report's own line breaks become " / ".
  std::string text;
  for (const char c : in_what) {
    if (c == '\n') {
      text += " / ";
    } else if (c != '\r') {
      text += c;
    }
  }
  Line("failure " + text);
}

void TReplayWriter::Comment(const std::string& in_text) { Line("# " + in_text); }

void TReplayWriter::Line(const std::string& in_line) {
  File_ << in_line << "\n";
  File_.flush();
}
