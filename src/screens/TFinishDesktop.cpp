#include "screens/TFinishDesktop.h"

#include "graphics/TTexture.h"
#include "graphics/TextureRegistry.h"
#include "screens/ScreenActions.h"
#include "screens/WinnerText.h"
#include "shell/TTimer.h"
#include "toolkit/TWinBox.h"
#include "toolkit/WindowTree.h"

TFinishDesktop::TFinishDesktop() : Background(FindTexture(L"res/button/back.tif")) {
  Background->Acquire();
  new TWinBox(CentredOn(RootWindow, 200, 100), L"Ураа!!!", WinnerText);
}

TFinishDesktop::~TFinishDesktop() { Background->Release(); }

void TFinishDesktop::Update() {
  if (Children.empty()) RequestScreen(0);
}

void TFinishDesktop::DrawBackground() { DrawStretchedBackground(*this, *Background); }
