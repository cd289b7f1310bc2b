#pragma once
// Small actions shared by the screens and their menus: centring a rectangle on
// a window, the exit question, the About box, the close request and the
// stretched background picture.

#include <cstdint>

#include "graphics/Geometry.h"

class TTexture;
class TWindow;

// The rectangle of the given size centred on the window (its position plus half
// the free space, truncated toward zero); at (0, 0) without a window.
TRect CentredOn(const TWindow* in_window, int32_t in_width, int32_t in_height);

// Opens the modal question "Вы точно хотите выйти?" (id 0) centred on the
// current desktop. Its answer goes to the desktop with code 4.
void OpenExitQuestion();

// Opens the About box centred on the current desktop and makes it the input root.
void OpenAboutBox();

// Loads the map whose path the map list sent (p2 of its code-9 notification, a
// pointer to a wide string owned by the sender) and requests the game screen,
// which is built from the new world at the start of the next frame. A map that
// cannot be opened, or has no cell, leaves the world and the screen as they
// were: a new map list opens, with the box "Не удалось открыть карту." and the
// path over it. When in_sender is the map list the path came from, the new
// list shows the rows it showed and the focus goes to the chosen row, where
// the box hands it back on closing.
void LoadChosenMap(intptr_t in_pathPointer, const TWindow* in_sender = nullptr);

// Asks the application object to close the program at the end of the next tick.
void PostCloseRequest();

// Draws the whole image of the texture stretched over the window's rectangle,
// into the window's own surface. Draws nothing without a surface.
void DrawStretchedBackground(const TWindow& in_window, const TTexture& in_texture);
