#include "graphics/TextureRegistry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "graphics/GdiplusObjects.h"
#include "graphics/TFrameTexture.h"
#include "graphics/TSprite.h"
#include "shell/ErrorLog.h"
#include "headless/GameHarness.h"
#include "support/TiffWriter.h"

namespace {

// The registry of a started game, in a scratch working directory.
class TextureRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { harness_.Start(); }
  void TearDown() override { ClearErrorLogForTests(); }
  TGameHarness harness_;
};

}  // namespace

TEST_F(TextureRegistryTest, HoldsEightyTwoTexturesInTableOrderWithTheirClasses) {
  const auto& all = RegisteredTextures();
  ASSERT_EQ(all.size(), 82u);
  EXPECT_EQ(all.front()->Path(), L"res/Unit/BlackNinja/attack.tif");
  EXPECT_EQ(all[6 * 6]->Path(), L"res/Unit/Queen/attack.tif");
  EXPECT_EQ(all[6 * 7]->Path(), L"res/Unit/Queen/groundflow.tif");
  EXPECT_EQ(all[68]->Path(), L"res/Unit/WhiteMage/watermagic.tif");
  EXPECT_EQ(all[69]->Path(), L"res/map/trees01_96x96.tif");
  EXPECT_EQ(all.back()->Path(), L"res/button/scroll.tif");
  int unit = 0, map = 0, button = 0;
  for (TTexture* t : all) {
    if (t->Path().rfind(L"res/Unit/", 0) == 0) ++unit;
    if (t->Path().rfind(L"res/map/", 0) == 0) ++map;
    if (t->Path().rfind(L"res/button/", 0) == 0) ++button;
  }
  EXPECT_EQ(unit, 69);
  EXPECT_EQ(map, 6);
  EXPECT_EQ(button, 7);
  auto* horstAttack = dynamic_cast<TUnitSprite*>(FindTexture(L"res/Unit/Horst/attack.tif"));
  ASSERT_NE(horstAttack, nullptr);
  EXPECT_EQ(horstAttack->FrameWidth, 128);
  EXPECT_EQ(horstAttack->AnchorX, 32);
  EXPECT_EQ(horstAttack->AnchorY, 66);
  auto* trees03 = dynamic_cast<TUnitSprite*>(FindTexture(L"res/map/trees03_128x128.tif"));
  ASSERT_NE(trees03, nullptr);
  EXPECT_EQ(trees03->AnchorY, 80);
  EXPECT_NE(dynamic_cast<TFrameTexture*>(FindTexture(L"res/button/frame2.tif")), nullptr);
  EXPECT_NE(dynamic_cast<TScrollTexture*>(FindTexture(L"res/button/scroll.tif")), nullptr);
}

TEST_F(TextureRegistryTest, FindIsExactAndCaseSensitiveAndDoesNotCountUsers) {
  TTexture* back = FindTexture(L"res/button/back.tif");
  EXPECT_EQ(back->UseCount(), 0);
  EXPECT_EQ(back->Image(), nullptr) << "nothing is loaded before the first use";
  EXPECT_THROW(FindTexture(L"res/button/Back.tif"), int);
  ASSERT_EQ(ErrorLogEntries().size(), 1u);
  EXPECT_EQ(ErrorLogEntries()[0], "Тукстура [res/button/Back.tif], не найдена");
}

TEST_F(TextureRegistryTest, LoadingIsLazySharedAndRepeatedAfterTheLastRelease) {
  TTexture* back = FindTexture(L"res/button/back.tif");
  back->Acquire();
  GpImage* first = back->Image();
  ASSERT_NE(first, nullptr);
  back->Acquire();
  EXPECT_EQ(back->Image(), first) << "a second user shares the loaded image";
  EXPECT_EQ(back->UseCount(), 2);
  back->Release();
  EXPECT_EQ(back->Image(), first);
  back->Release();
  EXPECT_EQ(back->Image(), nullptr) << "the last release frees the image";
  back->Acquire();
  EXPECT_NE(back->Image(), nullptr) << "a new first use reads the file again";
  back->Release();
  EXPECT_TRUE(ErrorLogEntries().empty());
}

TEST_F(TextureRegistryTest, EveryGeneratedImageExistsLoadsAndHasTheGeometryItsEntryNeeds) {
  for (TTexture* texture : RegisteredTextures()) {
    SCOPED_TRACE(std::string(texture->Path().begin(), texture->Path().end()));
    texture->Acquire();
    ASSERT_NE(texture->Image(), nullptr);
    const int width = texture->ImageWidth();
    const int height = texture->ImageHeight();
    if (auto* sprite = dynamic_cast<TSprite*>(texture)) {
      EXPECT_EQ(width % sprite->FrameWidth, 0) << "whole frames across";
      EXPECT_EQ(height % sprite->FrameHeight, 0) << "whole frames down";
      EXPECT_GE(sprite->Columns, 1u);
      EXPECT_GE(sprite->Rows, 1u);
      const std::wstring& path = texture->Path();
      const bool unitState = path.rfind(L"res/Unit/", 0) == 0 && path.find(L"groundflow") == std::wstring::npos &&
                             path.find(L"arrow") == std::wstring::npos &&
                             path.find(L"watermagic") == std::wstring::npos;
      if (unitState) {
        EXPECT_EQ(sprite->Columns, 8u) << "eight frames per animation";
        EXPECT_EQ(sprite->Rows, 8u) << "one row per facing";
      }
    }
    if (texture->Path() == L"res/button/button3.tif") {
      EXPECT_EQ(height, 90);
    }
    if (texture->Path() == L"res/button/button1.tif") {
      EXPECT_EQ(height, 84);
    }
    if (texture->Path() == L"res/button/back.tif") {
      EXPECT_GE(width, 1024);
      EXPECT_GE(height, 768);
    }
    if (dynamic_cast<TFrameTexture*>(texture)) {
      EXPECT_GE(width, 102);
      EXPECT_GE(height, 256);
    }
    if (dynamic_cast<TScrollTexture*>(texture)) {
      EXPECT_GE(width, 62);
      EXPECT_GE(height, 101);
    }
    texture->Release();
  }
  EXPECT_TRUE(ErrorLogEntries().empty());
}

TEST_F(TextureRegistryTest, AMissingFileIsLoggedOnceAndDrawsNothing) {
  TTexture missing(L"res/nowhere/missing.tif");
  missing.Acquire();
  missing.Acquire();
  ASSERT_EQ(ErrorLogEntries().size(), 1u);
  EXPECT_EQ(ErrorLogEntries()[0], "нет текстуры [res/nowhere/missing.tif]");
  EXPECT_EQ(missing.UseCount(), 2) << "a failed image still counts its users";
  TBitmap canvas(20, 20);
  auto surface = TGraphics::FromImage(canvas.Handle());
  DrawTexture(TRect{0, 0, 20, 20}, missing, *surface);
  EXPECT_EQ(canvas.Pixel(10, 10), 0u);
  missing.Release();
  missing.Release();
}

TEST_F(TextureRegistryTest, ShuttingDownWithATextureInUseReportsItsCount) {
  TTexture* frame = FindTexture(L"res/button/frame.tif");
  frame->Acquire();
  frame->Acquire();
  EXPECT_THROW(FreeTextures(), int);
  ASSERT_FALSE(ErrorLogEntries().empty());
  EXPECT_EQ(ErrorLogEntries().back(), "Не верное удалние текстуры, еще есть 2 элементов");
  // The textures after the one in use stay registered; let the game free them.
  EXPECT_FALSE(RegisteredTextures().empty());
}

TEST(SpriteTest, CountsWholeFramesAndPlacesAnchoredFrames) {
  TGameHarness harness;
  ASSERT_TRUE(WriteSolidTiff("sheet.tif", 300, 200, 0xFFFF0000));
  TSprite sheet(L"sheet.tif", 96, 96);
  sheet.Acquire();
  EXPECT_EQ(sheet.Columns, 3u) << "the remaining 12 pixels are ignored";
  EXPECT_EQ(sheet.Rows, 2u);
  sheet.Release();

  ASSERT_TRUE(WriteSolidTiff("small.tif", 96, 96, 0xFF00FF00));
  ASSERT_TRUE(WriteSolidTiff("large.tif", 128, 128, 0xFF0000FF));
  TUnitSprite small(L"small.tif", 96, 96, 16, 48);
  TUnitSprite large(L"large.tif", 128, 128, 32, 66);
  small.Acquire();
  large.Acquire();
  TBitmap canvas(400, 300);
  auto surface = TGraphics::FromImage(canvas.Handle());
  small.DrawAt(*surface, 0, 0, 200, 150);
  EXPECT_EQ(canvas.Pixel(184, 102), 0xFF00FF00u);
  EXPECT_EQ(canvas.Pixel(279, 197), 0xFF00FF00u);
  EXPECT_EQ(canvas.Pixel(183, 102), 0u);
  EXPECT_EQ(canvas.Pixel(280, 197), 0u);
  surface->Clear(0);
  large.DrawAt(*surface, 0, 0, 200, 150);
  EXPECT_EQ(canvas.Pixel(168, 84), 0xFF0000FFu);
  EXPECT_EQ(canvas.Pixel(295, 211), 0xFF0000FFu);
  EXPECT_EQ(canvas.Pixel(167, 84), 0u);
  EXPECT_EQ(canvas.Pixel(296, 212), 0u);
  small.Release();
  large.Release();
  EXPECT_TRUE(ErrorLogEntries().empty());
}
