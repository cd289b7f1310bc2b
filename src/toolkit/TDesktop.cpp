#include "toolkit/TDesktop.h"

#include "graphics/DrawingObjects.h"
#include "shell/TTimer.h"
#include "toolkit/WindowTree.h"

TDesktop::TDesktop() : TWindow(nullptr), ScreenCell(Cell) {
  if (RootWindow) delete RootWindow;
  RootWindow = this;
  InputRoot = this;
  Cell = &OwnSurface;
  if (Application) {
    X = Application->ClientX;
    Y = Application->ClientY;
    Width = Application->ClientWidth;
    Height = Application->ClientHeight;
  }
  ResizeBuffer(Bitmap, OwnSurface, Width, Height);
}

TDesktop::~TDesktop() {
  Bitmap.reset();
  delete OwnSurface;
  OwnSurface = nullptr;
}

void TDesktop::DrawBackground() {
  if (OwnSurface) OwnSurface->Clear(0xFFFFFFFF);
}

void TDesktop::Draw() {
  DrawBackground();
  TWindow::Draw();
  TGraphics* screen = *ScreenCell;
  if (!screen || !Bitmap) return;
  screen->DrawImage(Bitmap->Handle(), 0, 0, Bitmap->Width(), Bitmap->Height(), 0, 0, Bitmap->Width(),
                    Bitmap->Height());
}

void TDesktop::SetSize(int32_t width, int32_t height) {
  Width = width;
  Height = height;
  ResizeBuffer(Bitmap, OwnSurface, width, height);
  for (size_t i = 0; i < Children.size(); ++i) Children[i]->SetSize(width, height);
}
