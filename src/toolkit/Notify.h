#pragma once
// Notification codes of OnNotify: what a widget or menu reports to its owner,
// and the two requests an owner sends to a widget.

#include <cstdint>

enum TNotify : int32_t {
  // Sent to a widget: report (or, for a scroll bar, range) its value.
  kNotifyReport = 0,
  // Sent to a widget: set its value.
  kNotifySetValue = 1,
  // A button was clicked; p1 is its id, a check button passes its new state in p2.
  kNotifyClick = 1,
  // A scroll bar's value, in p1.
  kNotifyScrollValue = 2,
  // An edit field's text, a pointer in p1.
  kNotifyEditText = 3,
  // A question box's answer: p1 its id, p2 1 yes or 0 no.
  kNotifyAnswer = 4,
  // The main menu to the menu screen.
  kNotifyMainMenu = 5,
  // The in-game main menu to the game screen.
  kNotifyGameMainMenu = 6,
  // The options menu closing.
  kNotifyOptionsClosed = 7,
  // A list row was clicked.
  kNotifyRowClicked = 8,
  // The map list closing; p1 1 with the chosen path in p2.
  kNotifyMapListClosed = 9,
};
