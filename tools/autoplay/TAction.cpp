#include "autoplay/TAction.h"

#include <sstream>

namespace {

constexpr size_t kLongestName = 24;

std::string Cells(const TAction& in_action) {
  return std::to_string(in_action.From.Column) + " " + std::to_string(in_action.From.Row) + " " +
         std::to_string(in_action.To.Column) + " " + std::to_string(in_action.To.Row);
}

std::string BaseText(const TAction& in_action) {
  switch (in_action.Kind) {
    case TActionKind::Order:
      return "order " + Cells(in_action);
    case TActionKind::Cut:
      return "cut " + Cells(in_action) + " " + std::to_string(in_action.Frames);
    case TActionKind::Probe:
      return "probe " + std::to_string(in_action.To.Column) + " " + std::to_string(in_action.To.Row);
    case TActionKind::Pass:
      return "pass";
    case TActionKind::Save:
      return "save " + in_action.Name;
    case TActionKind::Menu:
      return "menu";
    case TActionKind::Try:
      return "try " + Cells(in_action);
  }
  return "";
}

}  // namespace

std::string ActionText(const TAction& in_action) {
  std::string text = BaseText(in_action);
  if (in_action.Via)
    text += " via " + std::to_string(in_action.Via->Column) + " " + std::to_string(in_action.Via->Row);
  if (in_action.Poke)
    text += " poke " + std::to_string(in_action.Poke->Frames) + " " + std::to_string(in_action.Poke->Cell.Column) +
            " " + std::to_string(in_action.Poke->Cell.Row);
  if (in_action.Clicked) text += " click";
  if (in_action.Hasty) text += " hasty";
  return text;
}

std::optional<TAction> ParseAction(const std::string& in_line) {
  std::istringstream words(in_line);
  std::string verb;
  if (!(words >> verb)) return std::nullopt;
  TAction action;
  if (verb == "order" || verb == "cut" || verb == "try") {
    action.Kind = verb == "order" ? TActionKind::Order : verb == "cut" ? TActionKind::Cut : TActionKind::Try;
    if (!(words >> action.From.Column >> action.From.Row >> action.To.Column >> action.To.Row)) return std::nullopt;
    if (action.Kind == TActionKind::Cut && (!(words >> action.Frames) || action.Frames < 0)) return std::nullopt;
  } else if (verb == "probe") {
    action.Kind = TActionKind::Probe;
    if (!(words >> action.To.Column >> action.To.Row)) return std::nullopt;
  } else if (verb == "pass") {
    action.Kind = TActionKind::Pass;
  } else if (verb == "save") {
    action.Kind = TActionKind::Save;
    if (!(words >> action.Name) || !IsTypableName(action.Name)) return std::nullopt;
  } else if (verb == "menu") {
    action.Kind = TActionKind::Menu;
  } else {
    return std::nullopt;
  }
  // The endings, each at most once and in this order.
  std::string word;
  int stage = 0;
  while (words >> word) {
    if (word == "via" && action.IsOrder() && stage < 1) {
      TCellPos via;
      if (!(words >> via.Column >> via.Row)) return std::nullopt;
      action.Via = via;
      stage = 1;
    } else if (word == "poke" && action.Kind == TActionKind::Order && stage < 2) {
      TPoke poke;
      if (!(words >> poke.Frames >> poke.Cell.Column >> poke.Cell.Row) || poke.Frames < 0) return std::nullopt;
      action.Poke = poke;
      stage = 2;
    } else if (word == "click" && action.Kind == TActionKind::Try && stage < 3) {
      action.Clicked = true;
      stage = 3;
    } else if (word == "hasty" && stage < 4 && action.Kind != TActionKind::Save && action.Kind != TActionKind::Menu &&
               action.Kind != TActionKind::Try) {
      action.Hasty = true;
      stage = 4;
    } else {
      return std::nullopt;
    }
  }
  return action;
}

bool IsTypableName(const std::string& in_name) {
  if (in_name.empty() || in_name.size() > kLongestName) return false;
  for (const char c : in_name) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!letter && !(c >= '0' && c <= '9')) return false;
  }
  return true;
}
