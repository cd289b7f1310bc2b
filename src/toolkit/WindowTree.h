#pragma once
// The process-wide state of the window tree and the operations on it as a whole.

#include <vector>

class TWindow;

// Every window constructed and not yet destroyed, in construction order.
extern std::vector<TWindow*> LiveWindows;
// The live windows the frame step calls Update on, in construction order: all
// of them but those whose owner updates them (TWindow::LeaveFrameUpdates).
extern std::vector<TWindow*> FrameUpdates;
// Windows to delete at the end of the current frame.
extern std::vector<TWindow*> DeleteQueue;
// From the root (first) to the focused window (last).
extern std::vector<TWindow*> FocusPath;
// The current desktop, drawn every frame.
extern TWindow* RootWindow;
// The modal scope: mouse input is hit-tested from here, key input stops here.
extern TWindow* InputRoot;
// The window that receives mouse buttons and moves.
extern TWindow* PointerWindow;
// The pointer window of the previous mouse move.
extern TWindow* LastPointerWindow;

// Queues the window for deletion at the end of the frame. A window queued
// twice is still deleted once.
void QueueForDeletion(TWindow* window);

// Whether the window, or a window it lies in, waits in DeleteQueue: it has
// closed, though it is deleted (and stops showing) only at the end of the frame.
bool IsClosing(const TWindow* window);

// Moves the focus among the window's children (the Tab key): the child that is
// on the focus path is replaced there by the next child, wrapping to the first;
// with none on the path, the first child is appended to it.
void FocusNext(TWindow* window);

// One frame: Update every live window (those in FrameUpdates, which update
// the others), Draw the root window, then delete the queued windows. Does
// nothing without a root window.
void RunFrameStep();

// Deletes the root window and its tree, then logs "Найдено не удалённое окошко!"
// for each window still alive and deletes it.
void TearDownWindowTree();
