// Builds one screen with every widget on it, for a look at the whole toolkit.
// With KRAMBOL_SCREENSHOT_DIR set, the screen is written there as widgets.ppm.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

#include "platform/PlatformTest.h"
#include "toolkit/TWinBox.h"
#include "toolkit/TWinBoxAsk.h"
#include "toolkit/TWinButton.h"
#include "toolkit/TWinCheckButton.h"
#include "toolkit/TWinEdit.h"
#include "toolkit/TWinList.h"
#include "toolkit/TWinScroll.h"
#include "toolkit/TWinScrollVert.h"
#include "toolkit/TWinText.h"
#include "toolkit/WidgetFixture.h"

namespace {

using WidgetDemoTest = WidgetTest;

// The harness works in a scratch directory; a relative screenshot directory is
// taken from where the tests were started.
const std::filesystem::path kStartDirectory = std::filesystem::current_path();

// Writes ARGB pixels as a binary PPM (P6), dropping alpha.
void WritePpm(const std::filesystem::path& path, const std::vector<uint32_t>& argb, int width, int height) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << width << ' ' << height << "\n255\n";
  for (uint32_t pixel : argb) {
    const char rgb[3] = {static_cast<char>((pixel >> 16) & 0xFF), static_cast<char>((pixel >> 8) & 0xFF),
                         static_cast<char>(pixel & 0xFF)};
    out.write(rgb, 3);
  }
}

TEST_F(WidgetDemoTest, EveryWidgetDrawsOnOneScreen) {
  auto* menu = new TRecordingMenu(560, 420);
  ASSERT_EQ(menu->X, 120);
  ASSERT_EQ(menu->Y, 90);
  new TWinText(TRect{20, 40, 330, 20}, menu, L"Настройки игры: Крамбол");
  new TWinButton(menu, menu, TRect{20, 70, 150, 30}, L"Новая игра", 1);
  new TWinButton(menu, menu, TRect{190, 70, 150, 30}, L"Загрузить", 2);
  new TWinCheckButton(menu, menu, TRect{20, 112, 220, 30}, L"Полный экран", true);
  auto* scroll = new TWinScroll(menu, menu, TRect{20, 152, 320, 35});
  scroll->OnNotify(menu, scroll, kNotifyReport, 1, 500);
  scroll->OnNotify(menu, scroll, kNotifySetValue, 66, 0);
  new TWinEditLette(TRect{20, 200, 250, 18}, menu, menu, L"Save01");
  auto* list = new TWinList(TRect{20, 232, 330, 148}, menu, menu);
  for (int i = 1; i <= 10; ++i) list->AddItem(L"Карта номер " + std::to_wstring(i) + L".map");
  auto* upright = new TWinScrollVert(menu, menu, TRect{380, 40, 35, 220});
  upright->OnNotify(menu, upright, kNotifySetValue, 30, 0);
  Harness.Tick();
  // Select the second row with the mouse, and leave the pointer over the first button.
  const TPoint row = OnScreen(list, 120, 232 + 2 + 18 + 9);
  Harness.LeftClick(row.x, row.y);
  const TPoint button = OnScreen(menu, 60, 80);
  Harness.MouseMove(button.x, button.y);
  Harness.MouseMove(button.x + 1, button.y);

  new TWinBox(TRect{470, 360, 280, 150}, L"Сообщение", L"Ход переходит к игроку «Синий».");
  new TWinBoxAsk(TRect{480, 150, 260, 130}, L"Выход", L"Выйти из игры? Несохранённая партия пропадёт.");
  Harness.Tick(3);

  std::vector<uint32_t> pixels;
  int width = 0, height = 0;
  ASSERT_TRUE(PlatformTest::ReadWindowPixels(Harness.Window(), pixels, width, height));
  ASSERT_EQ(width, 800);
  ASSERT_EQ(height, 600);
  // The menu area shows many colours (art, text, palette fills), not a blank.
  std::set<uint32_t> colours;
  for (int y = 90; y < 510; ++y)
    for (int x = 120; x < 680; ++x) colours.insert(pixels[static_cast<size_t>(y) * width + x]);
  EXPECT_GT(colours.size(), 50u);
  // The desktop outside every window stays white.
  EXPECT_EQ(pixels[10 * width + 10], kWhitePixel);

  if (const char* dir = std::getenv("KRAMBOL_SCREENSHOT_DIR")) {
    const std::filesystem::path path = kStartDirectory / dir / "widgets.ppm";
    WritePpm(path, pixels, width, height);
    EXPECT_TRUE(std::filesystem::exists(path));
  }
}

}  // namespace
