// screencheck: screenshots of X windows and their comparison, for scripted
// sessions that drive a program with real X input and must wait for what it
// draws rather than sleep for a guessed time.
//
//   screencheck shot <window> <out.png>
//       Saves what the window shows.
//   screencheck blank <w>x<h> <out.png>
//       Writes a black picture of that size (a "before" for a window's first picture).
//   screencheck crop <in.png> <region> <out.png>
//       Writes the part of the picture inside the region.
//   screencheck diff <a.png> <b.png> [--max <percent>] [--marked <out.png>] [compare options]
//       Prints how many pixels differ; with --max, fails when more than that
//       share of the compared pixels do.
//   screencheck wait <window> <out.png> [--timeout <s>] [--size <w>x<h>]
//                    [--changed-from <prev.png> [--changed-in <region>] [--changed-min <n>]]
//                    [--stable <ms>] [--like <ref.png> --max <percent>] [compare options]
//       Captures the window until every condition given holds at once, then
//       saves that picture: the window has that size; it differs from prev.png
//       in at least n pixels (50 unless given) of the region (the whole
//       picture unless given); it has not changed for ms milliseconds; it
//       differs from ref.png in no more than the share given. On timeout (30 s
//       unless given) saves the last picture, says which condition failed and
//       exits 1; exits 3 when the window is gone.
//
// Compare options: --mask <region> (repeatable; pixels left out),
// --tolerance <0-255> (48), --shift <pixels> (1). A region is x,y,width,height.
// Exit status 2 means a usage error or a file that cannot be read or written.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "Picture.h"
#include "PictureDiff.h"
#include "WindowReader.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Arguments {
  std::vector<std::string> positional;
  DiffOptions compare;
  double maxPercent = -1;
  std::string marked;
  double timeoutSeconds = 30;
  int width = 0, height = 0;
  std::string changedFrom;
  bool changedLimited = false;
  Region changedIn;
  long changedMin = 50;
  int stableMs = 0;
  std::string like;
};

[[noreturn]] void Usage(const char* problem) {
  std::fprintf(stderr, "screencheck: %s (see the comment at the top of tools/screencheck/Main.cpp)\n", problem);
  std::exit(2);
}

Region RegionArgument(const char* text) {
  Region r;
  if (!ParseRegion(text, r)) Usage("a region is x,y,width,height");
  return r;
}

Arguments Parse(int argc, char** argv) {
  Arguments args;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> const char* {
      if (i + 1 >= argc) Usage(("missing value after " + a).c_str());
      return argv[++i];
    };
    if (a == "--mask") {
      args.compare.masks.push_back(RegionArgument(value()));
    } else if (a == "--tolerance") {
      args.compare.tolerance = std::atoi(value());
    } else if (a == "--shift") {
      args.compare.shift = std::atoi(value());
    } else if (a == "--max") {
      args.maxPercent = std::atof(value());
    } else if (a == "--marked") {
      args.marked = value();
    } else if (a == "--timeout") {
      args.timeoutSeconds = std::atof(value());
    } else if (a == "--size") {
      if (std::sscanf(value(), "%dx%d", &args.width, &args.height) != 2) Usage("--size takes <w>x<h>");
    } else if (a == "--changed-from") {
      args.changedFrom = value();
    } else if (a == "--changed-in") {
      args.changedLimited = true;
      args.changedIn = RegionArgument(value());
    } else if (a == "--changed-min") {
      args.changedMin = std::atol(value());
    } else if (a == "--stable") {
      args.stableMs = std::atoi(value());
    } else if (a == "--like") {
      args.like = value();
    } else if (a.rfind("--", 0) == 0) {
      Usage(("unknown option " + a).c_str());
    } else {
      args.positional.push_back(a);
    }
  }
  return args;
}

Picture Load(const std::string& path) {
  Picture p = Picture::LoadPng(path);
  if (p.Empty()) {
    std::fprintf(stderr, "screencheck: cannot read %s\n", path.c_str());
    std::exit(2);
  }
  return p;
}

void Save(const Picture& picture, const std::string& path) {
  if (!picture.SavePng(path)) {
    std::fprintf(stderr, "screencheck: cannot write %s\n", path.c_str());
    std::exit(2);
  }
}

unsigned long WindowId(const std::string& text) { return std::strtoul(text.c_str(), nullptr, 0); }

std::string Describe(const DiffResult& r) {
  char line[160];
  std::snprintf(line, sizeof line, "%ld of %ld pixels differ (%.3f %%)", r.differing, r.compared, r.Percent());
  std::string text = line;
  if (r.differing) {
    std::snprintf(line, sizeof line, ", within %d,%d,%d,%d", r.bounds.x, r.bounds.y, r.bounds.width, r.bounds.height);
    text += line;
  }
  return text;
}

int Shot(const Arguments& args) {
  if (args.positional.size() != 2) Usage("shot <window> <out.png>");
  WindowReader reader;
  if (!reader.Connected()) Usage("no X display");
  const Picture p = reader.Capture(WindowId(args.positional[0]));
  if (p.Empty()) {
    std::fprintf(stderr, "screencheck: window %s shows nothing\n", args.positional[0].c_str());
    return 3;
  }
  Save(p, args.positional[1]);
  return 0;
}

int Blank(const Arguments& args) {
  int width = 0, height = 0;
  if (args.positional.size() != 2 || std::sscanf(args.positional[0].c_str(), "%dx%d", &width, &height) != 2 ||
      width <= 0 || height <= 0)
    Usage("blank <w>x<h> <out.png>");
  Save(Picture(width, height), args.positional[1]);
  return 0;
}

int Crop(const Arguments& args) {
  if (args.positional.size() != 3) Usage("crop <in.png> <region> <out.png>");
  const Picture in = Load(args.positional[0]);
  const Region r = RegionArgument(args.positional[1].c_str());
  if (r.width == 0 || r.height == 0 || r.x < 0 || r.y < 0 || r.x + r.width > in.Width() ||
      r.y + r.height > in.Height())
    Usage("the region must lie inside the picture");
  Picture out(r.width, r.height);
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < r.width; ++x) out.Set(x, y, in.At(r.x + x, r.y + y));
  Save(out, args.positional[2]);
  return 0;
}

int Diff(const Arguments& args) {
  if (args.positional.size() != 2) Usage("diff <a.png> <b.png>");
  Picture marked;
  const DiffResult r = ComparePictures(Load(args.positional[0]), Load(args.positional[1]), args.compare,
                                       args.marked.empty() ? nullptr : &marked);
  if (!args.marked.empty()) Save(marked, args.marked);
  std::printf("%s\n", Describe(r).c_str());
  return args.maxPercent >= 0 && r.Percent() > args.maxPercent ? 1 : 0;
}

int Wait(const Arguments& args) {
  if (args.positional.size() != 2) Usage("wait <window> <out.png>");
  if (!args.like.empty() && args.maxPercent < 0) Usage("--like needs --max");
  WindowReader reader;
  if (!reader.Connected()) Usage("no X display");
  const unsigned long window = WindowId(args.positional[0]);
  const Picture previous = args.changedFrom.empty() ? Picture() : Load(args.changedFrom);
  const Picture reference = args.like.empty() ? Picture() : Load(args.like);
  DiffOptions changeOptions;
  changeOptions.shift = 0;
  changeOptions.limited = args.changedLimited;
  changeOptions.limit = args.changedIn;

  const Clock::time_point start = Clock::now();
  const auto deadline = start + std::chrono::milliseconds(static_cast<long>(args.timeoutSeconds * 1000));
  Picture last;
  Clock::time_point lastChange = start;
  std::string failing;
  for (;;) {
    const Picture now = reader.Capture(window);
    if (now.Empty()) {
      std::fprintf(stderr, "screencheck: window %s is gone\n", args.positional[0].c_str());
      if (!last.Empty()) Save(last, args.positional[1]);
      return 3;
    }
    if (!(now == last)) lastChange = Clock::now();
    last = now;
    failing.clear();
    if (args.width && (now.Width() != args.width || now.Height() != args.height)) {
      failing = "size is " + std::to_string(now.Width()) + "x" + std::to_string(now.Height());
    } else if (!previous.Empty()) {
      const DiffResult changed = ComparePictures(previous, now, changeOptions);
      if (changed.differing < args.changedMin)
        failing = "only " + std::to_string(changed.differing) + " pixels changed";
    }
    if (failing.empty() && args.stableMs > 0 &&
        Clock::now() - lastChange < std::chrono::milliseconds(args.stableMs))
      failing = "still changing";
    DiffResult likeness;
    if (failing.empty() && !reference.Empty()) {
      likeness = ComparePictures(reference, now, args.compare);
      if (likeness.Percent() > args.maxPercent) failing = "unlike the reference: " + Describe(likeness);
    }
    if (failing.empty()) {
      Save(now, args.positional[1]);
      const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
      std::printf("after %.1f s%s%s\n", seconds, reference.Empty() ? "" : ": ",
                  reference.Empty() ? "" : Describe(likeness).c_str());
      return 0;
    }
    if (Clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
  }
  Save(last, args.positional[1]);
  std::printf("timed out after %.0f s: %s\n", args.timeoutSeconds, failing.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) Usage("missing command");
  const std::string command = argv[1];
  const Arguments args = Parse(argc, argv);
  if (command == "shot") return Shot(args);
  if (command == "blank") return Blank(args);
  if (command == "crop") return Crop(args);
  if (command == "diff") return Diff(args);
  if (command == "wait") return Wait(args);
  Usage(("unknown command " + command).c_str());
}
