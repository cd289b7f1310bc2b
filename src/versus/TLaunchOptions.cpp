#include "versus/TLaunchOptions.h"

#include "net/NetTexts.h"

const char kLaunchUsage[] =
    "krambol-versus --host --map FILE [--port N] [--second] [--loopback]\n"
    "               [--announce FILE] [--computer easy|strong [--turns N]]\n"
    "               [--result FILE]\n"
    "krambol-versus --join ADDRESS[:PORT] --code NNNNNN\n"
    "               [--computer easy|strong [--turns N]] [--result FILE]\n";

std::vector<std::string> SplitCommandLine(const char* in_commandLine) {
  std::vector<std::string> arguments;
  if (!in_commandLine) return arguments;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  for (const char* c = in_commandLine; *c; ++c) {
    if (*c == '\\' && c[1] == '"') {
      current += '"';
      inArgument = true;
      ++c;
    } else if (*c == '"') {
      quoted = !quoted;
      inArgument = true;
    } else if ((*c == ' ' || *c == '\t') && !quoted) {
      if (inArgument) arguments.push_back(current);
      current.clear();
      inArgument = false;
    } else {
      current += *c;
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(current);
  return arguments;
}

bool ParseLaunchOptions(const std::vector<std::string>& in_arguments, TLaunchOptions& out_options,
                        std::string& out_error) {
  TLaunchOptions options;
  bool host = false;
  bool join = false;
  bool hasCode = false;
  bool hostOnly = false;
  for (size_t i = 0; i < in_arguments.size(); ++i) {
    const std::string& name = in_arguments[i];
    // The value after an option that takes one.
    auto value = [&](std::string& out_value) {
      if (i + 1 >= in_arguments.size()) {
        out_error = name + " needs a value";
        return false;
      }
      out_value = in_arguments[++i];
      return true;
    };
    std::string text;
    if (name == "--host") {
      host = true;
    } else if (name == "--join") {
      join = true;
      if (!value(text)) return false;
      NNet::THostAndPort address;
      if (!NNet::ParseAddress(text, NNet::kDefaultPort, address)) {
        out_error = "--join: not an address: " + text;
        return false;
      }
      options.Address = address.Host;
      options.JoinPort = address.Port;
    } else if (name == "--map") {
      hostOnly = true;
      if (!value(options.MapPath)) return false;
    } else if (name == "--port") {
      hostOnly = true;
      if (!value(text)) return false;
      uint16_t port = 0;
      if (text != "0" && !NNet::ParsePort(text, port)) {
        out_error = "--port: a number from 0 to 65535: " + text;
        return false;
      }
      options.Port = port;
    } else if (name == "--second") {
      hostOnly = true;
      options.HostSecond = true;
    } else if (name == "--loopback") {
      hostOnly = true;
      options.LoopbackOnly = true;
    } else if (name == "--announce") {
      hostOnly = true;
      if (!value(options.AnnouncePath)) return false;
    } else if (name == "--code") {
      if (!value(text)) return false;
      if (!NNet::ParseJoinCode(std::wstring(text.begin(), text.end()), options.Code)) {
        out_error = "--code: six digits: " + text;
        return false;
      }
      hasCode = true;
    } else if (name == "--computer") {
      if (!value(text)) return false;
      if (text == "easy") {
        options.Strength = TStrength::Easy;
      } else if (text == "strong") {
        options.Strength = TStrength::Strong;
      } else {
        out_error = "--computer: easy or strong: " + text;
        return false;
      }
      options.Computer = true;
    } else if (name == "--turns") {
      if (!value(text)) return false;
      // Seven digits at most, so that the number always fits before it is compared.
      const bool digits =
          !text.empty() && text.size() <= 7 && text.find_first_not_of("0123456789") == std::string::npos;
      options.TurnCap = digits ? std::stoi(text) : 0;
      if (options.TurnCap < 1 || options.TurnCap > kMostTurnCap) {
        out_error = "--turns: a number from 1 to " + std::to_string(kMostTurnCap) + ": " + text;
        return false;
      }
    } else if (name == "--result") {
      if (!value(options.ResultPath)) return false;
    } else {
      out_error = "unknown option: " + name;
      return false;
    }
  }
  if (host && join) {
    out_error = "--host and --join together";
    return false;
  }
  if (!host && !join && !in_arguments.empty()) {
    out_error = "--host or --join first";
    return false;
  }
  if (host && options.MapPath.empty()) {
    out_error = "--host needs --map";
    return false;
  }
  if (join && (!hasCode || hostOnly)) {
    out_error = hasCode ? "--join takes no host options" : "--join needs --code";
    return false;
  }
  if (options.TurnCap > 0 && !options.Computer) {
    out_error = "--turns needs --computer";
    return false;
  }
  if (host && hasCode) {
    out_error = "--host makes its own code";
    return false;
  }
  options.Role = host ? TLaunchRole::Host : join ? TLaunchRole::Join : TLaunchRole::Menu;
  out_options = options;
  return true;
}
