#pragma once
// The finish screen: the background picture and one box "Ураа!!!" with the
// winner text. Once the box is closed the screen asks for the menu screen.

#include "toolkit/TDesktop.h"

class TTexture;

class TFinishDesktop : public TDesktop {
 public:
  // Replaces the current screen, takes a reference to the background texture
  // and opens the box (200 x 100, centred; not modal, the screen stays the
  // input root).
  TFinishDesktop();
  // Releases the background texture.
  ~TFinishDesktop() override;

  // With no child left, requests the menu screen.
  void Update() override;
  // The background picture stretched over the whole screen.
  void DrawBackground() override;

 private:
  TTexture* Background;
};
