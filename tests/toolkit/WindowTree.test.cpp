#include "toolkit/WindowTree.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "shell/ErrorLog.h"
#include "shell/TGame.h"
#include "headless/GameHarness.h"
#include "toolkit/TDesktop.h"
#include "toolkit/TWindow.h"
#include "toolkit/TWindowBuffer.h"

namespace {

std::vector<std::string> Events;

// A window that records what the toolkit does to it.
class TProbe : public TWindow {
 public:
  TProbe(TWindow* parent, const char* name, TRect rect, bool handlesKeys = false)
      : TWindow(parent), Name(name), HandlesKeys(handlesKeys) {
    X = rect.x;
    Y = rect.y;
    Width = rect.width;
    Height = rect.height;
  }
  ~TProbe() override { Events.push_back(Name + ".deleted"); }
  void Update() override { Events.push_back(Name + ".update"); }
  void Draw() override {
    Events.push_back(Name + ".draw");
    TWindow::Draw();
  }
  void GotFocus() override {
    TWindow::GotFocus();
    Events.push_back(Name + ".got");
  }
  void LostFocus() override {
    TWindow::LostFocus();
    Events.push_back(Name + ".lost");
  }
  void OnLButtonDown() override { Events.push_back(Name + ".press"); }
  void OnMouseLeave() override { Events.push_back(Name + ".leave"); }
  // Leaves pass every key on, as widgets do; a probe with children keeps the
  // window's own Tab handling.
  bool OnKeyDown() override {
    Events.push_back(Name + ".key");
    if (HandlesKeys) return true;
    return Children.empty() ? false : TWindow::OnKeyDown();
  }
  void SetSize(int32_t width, int32_t height) override {
    Events.push_back(Name + ".size " + std::to_string(width) + "x" + std::to_string(height));
  }

  std::string Name;
  bool HandlesKeys;
};

// A probe whose children leave the frame's walk: it updates those of them
// that have work, right after itself, as the map does with its cells.
class TOwnerProbe : public TProbe {
 public:
  class TPart : public TProbe {
   public:
    TPart(TOwnerProbe* owner, const char* name) : TProbe(owner, name, {}) { LeaveFrameUpdates(); }
    bool Work = false;
  };

  using TProbe::TProbe;
  void Update() override {
    TProbe::Update();
    for (TWindow* child : Children)
      if (static_cast<TPart*>(child)->Work) child->Update();
  }
};

// A window made as one of many.
class TManyPart : public TWindow {
 public:
  explicit TManyPart(TWindow* owner) : TWindow(owner, TOneOfMany{}) {}
  void Update() override { Events.push_back("many.update"); }
};

// A desktop that records the keys that reach it.
class TKeyDesktop : public TDesktop {
 public:
  bool OnKeyDown() override {
    Events.push_back("desktop.key");
    return TDesktop::OnKeyDown();
  }
};

// Each test runs on a plain desktop that replaces the game's first screen.
class WindowTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness_.Start();
    harness_.Tick();
    desktop_ = new TDesktop();
    Events.clear();
  }
  TGameHarness harness_;
  TWindow* desktop_ = nullptr;
};

}  // namespace

TEST_F(WindowTreeTest, TheNewestSiblingIsOnTopForDrawingAndHitTesting) {
  auto* a = new TProbe(desktop_, "a", {10, 10, 100, 100});
  auto* b = new TProbe(desktop_, "b", {50, 50, 100, 100});
  auto* inner = new TProbe(b, "inner", {60, 60, 10, 10});
  EXPECT_EQ(desktop_->HitTest({20, 20}), a);
  EXPECT_EQ(desktop_->HitTest({55, 55}), b) << "the later child wins where they overlap";
  EXPECT_EQ(desktop_->HitTest({65, 65}), inner) << "the deepest window under the point wins";
  EXPECT_EQ(desktop_->HitTest({5000, 5}), nullptr);
  Events.clear();
  harness_.Tick();
  const std::vector<std::string> drawn = {"a.draw", "b.draw", "inner.draw"};
  std::vector<std::string> draws;
  for (const auto& e : Events)
    if (e.find(".draw") != std::string::npos) draws.push_back(e);
  EXPECT_EQ(draws, drawn);
}

TEST_F(WindowTreeTest, BringToFrontSwapsWithTheLastChildAndIgnoresStrangers) {
  auto* a = new TProbe(desktop_, "a", {});
  auto* b = new TProbe(desktop_, "b", {});
  auto* c = new TProbe(desktop_, "c", {});
  auto* stranger = new TProbe(a, "stranger", {});
  desktop_->BringToFront(a);
  EXPECT_EQ(desktop_->Children, (std::vector<TWindow*>{c, b, a}));
  desktop_->BringToFront(stranger);
  desktop_->DeleteChild(stranger);
  EXPECT_EQ(desktop_->Children, (std::vector<TWindow*>{c, b, a}));
  EXPECT_EQ(a->Children.size(), 1u);
}

TEST_F(WindowTreeTest, DeletingAWindowDeletesItsSubtreeAndRepairsEveryGlobal) {
  auto* box = new TProbe(desktop_, "box", {0, 0, 50, 50});
  auto* child = new TProbe(box, "child", {0, 0, 10, 10});
  InputRoot = box;
  LastPointerWindow = child;
  ASSERT_EQ(PointerWindow, child) << "a new window is the pointer window";
  ASSERT_EQ(FocusPath.back(), child) << "a new window takes the focus";
  Events.clear();
  desktop_->DeleteChild(box);
  // The probe's own destructor body runs first; the base then deletes the children.
  EXPECT_EQ(Events, (std::vector<std::string>{"box.deleted", "child.deleted"}));
  EXPECT_EQ(InputRoot, desktop_);
  EXPECT_EQ(PointerWindow, desktop_);
  EXPECT_EQ(LastPointerWindow, nullptr);
  EXPECT_EQ(FocusPath, (std::vector<TWindow*>{desktop_}));
  EXPECT_EQ(LiveWindows, (std::vector<TWindow*>{desktop_}));
  EXPECT_TRUE(desktop_->Children.empty());
}

TEST_F(WindowTreeTest, QueuedWindowsLiveOneMoreFrameAndAreDeletedOnceEvenIfQueuedTwice) {
  auto* doomed = new TProbe(desktop_, "doomed", {});
  QueueForDeletion(doomed);
  QueueForDeletion(doomed);
  DeleteQueue.push_back(doomed);  // even a raw second entry must not delete it twice
  Events.clear();
  harness_.Tick();
  EXPECT_EQ(Events, (std::vector<std::string>{"doomed.update", "doomed.draw", "doomed.deleted"}));
  EXPECT_TRUE(DeleteQueue.empty());
  EXPECT_EQ(desktop_->Children.size(), 0u);
}

TEST_F(WindowTreeTest, WindowsThatLeftTheFrameWalkAreUpdatedByTheirOwnerInItsPlace) {
  new TProbe(desktop_, "before", {});
  auto* owner = new TOwnerProbe(desktop_, "owner", {});
  auto* idle = new TOwnerProbe::TPart(owner, "idle");
  auto* busy = new TOwnerProbe::TPart(owner, "busy");
  new TProbe(desktop_, "after", {});
  busy->Work = true;
  Events.clear();
  harness_.Tick();
  std::vector<std::string> updates;
  for (const auto& e : Events)
    if (e.find(".update") != std::string::npos) updates.push_back(e);
  // The parts keep their place right after their owner; only the busy one is updated.
  EXPECT_EQ(updates, (std::vector<std::string>{"before.update", "owner.update", "busy.update", "after.update"}));
  EXPECT_EQ(FrameUpdates.size() + 2, LiveWindows.size());

  // Leaving the tree, a part that left the walk leaves every list.
  owner->DeleteChild(idle);
  EXPECT_EQ(std::count(LiveWindows.begin(), LiveWindows.end(), idle), 0);
  desktop_->DeleteChild(owner);
  EXPECT_EQ(FrameUpdates.size(), LiveWindows.size());
  Events.clear();
  harness_.Tick();
  EXPECT_EQ(std::count(Events.begin(), Events.end(), "busy.update"), 0);
}

TEST_F(WindowTreeTest, WindowsMadeAsOneOfManyEndAsIfMadeOneByOne) {
  // One by one: each new window takes the focus and the pointer.
  auto* single = new TProbe(desktop_, "single", {});
  std::vector<TWindow*> singles;
  for (int i = 0; i < 3; ++i) singles.push_back(new TProbe(single, "part", {}));
  const std::vector<TWindow*> singlePath = FocusPath;
  std::vector<bool> singleFlags;
  for (TWindow* part : singles) singleFlags.push_back(part->Focused);
  EXPECT_EQ(PointerWindow, singles.back());

  // As one of many, the owner hands the focus and the pointer on at the end.
  auto* owner = new TProbe(desktop_, "owner", {});
  std::vector<TWindow*> many;
  for (int i = 0; i < 3; ++i) many.push_back(new TManyPart(owner));
  many.back()->TakeFocus();
  PointerWindow = many.back();
  EXPECT_EQ(FocusPath, (std::vector<TWindow*>{desktop_, owner, many.back()}));
  EXPECT_EQ(singlePath, (std::vector<TWindow*>{desktop_, single, singles.back()}));
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(many[i]->Focused, singleFlags[i]);
    EXPECT_EQ(singleFlags[i], i == 2) << "the newer ones took the focus away";
  }
  EXPECT_EQ(owner->Children, many);
  EXPECT_EQ(std::vector<TWindow*>(LiveWindows.end() - 3, LiveWindows.end()), many);
  // They take no part in the frame's own walk.
  Events.clear();
  harness_.Tick();
  EXPECT_EQ(std::count(Events.begin(), Events.end(), "many.update"), 0);
}

TEST_F(WindowTreeTest, WindowsOutsideTheTreeAreLoggedOnceEachAtTearDown) {
  new TProbe(nullptr, "orphan1", {});
  new TProbe(nullptr, "orphan2", {});
  TearDownWindowTree();
  ASSERT_EQ(ErrorLogEntries().size(), 2u);
  EXPECT_EQ(ErrorLogEntries()[0], "Найдено не удалённое окошко!");
  EXPECT_EQ(ErrorLogEntries()[1], "Найдено не удалённое окошко!");
  EXPECT_TRUE(LiveWindows.empty());
  EXPECT_EQ(RootWindow, nullptr);
  ClearErrorLogForTests();
}

TEST_F(WindowTreeTest, FocusMovesWithLostThenGotAlongTheChangedPartOfThePath) {
  auto* box = new TProbe(desktop_, "box", {0, 0, 100, 100});
  auto* inside = new TProbe(box, "inside", {10, 10, 20, 20});
  auto* outside = new TProbe(desktop_, "outside", {200, 200, 20, 20});
  inside->TakeFocus();
  Events.clear();
  outside->TakeFocus();
  // The windows that leave the path lose the focus from the one nearest the root on.
  EXPECT_EQ(Events, (std::vector<std::string>{"box.lost", "inside.lost", "outside.got"}));
  Events.clear();
  outside->TakeFocus();
  EXPECT_TRUE(Events.empty()) << "taking the focus again changes nothing";
  // Pressing on the focused window routes the press without focus calls.
  harness_.LeftDown(205, 205);
  harness_.LeftUp(205, 205);
  EXPECT_EQ(Events, (std::vector<std::string>{"outside.press"}));
}

TEST_F(WindowTreeTest, TabCyclesThroughChildrenAndWrapsToTheFirst) {
  auto* menu = new TProbe(desktop_, "menu", {0, 0, 100, 100});
  auto* first = new TProbe(menu, "first", {});
  new TProbe(menu, "second", {});
  auto* last = new TProbe(menu, "last", {});
  ASSERT_EQ(FocusPath.back(), last);
  harness_.Key(VK_TAB);
  EXPECT_EQ(FocusPath.back(), first) << "Tab on the last child wraps to the first";
  EXPECT_EQ(FocusPath, (std::vector<TWindow*>{desktop_, menu, first}));

  // A window none of whose children is on the path focuses its first child.
  auto* other = new TProbe(desktop_, "other", {});
  auto* only = new TProbe(other, "only", {});
  other->TakeFocus();
  FocusNext(other);
  EXPECT_EQ(FocusPath, (std::vector<TWindow*>{desktop_, other, only}));
}

TEST_F(WindowTreeTest, AModalScopeBlocksClicksAndKeysFromTheRestOfTheScreen) {
  desktop_ = new TKeyDesktop();
  auto* outside = new TProbe(desktop_, "outside", {300, 300, 50, 50}, true);
  auto* box = new TProbe(desktop_, "box", {0, 0, 100, 100});
  auto* button = new TProbe(box, "button", {10, 10, 20, 20});
  InputRoot = box;
  Events.clear();
  harness_.MouseMove(310, 310);
  harness_.LeftDown(310, 310);
  harness_.LeftUp(310, 310);
  for (const auto& e : Events) EXPECT_EQ(e.find("outside"), std::string::npos) << e;
  EXPECT_EQ(FocusPath.back(), button) << "a click outside the modal scope does not move the focus";

  Events.clear();
  harness_.KeyDown('Q');
  EXPECT_EQ(Events, (std::vector<std::string>{"button.key", "box.key"})) << "keys stop at the modal scope";
  // Without the scope the same key goes on to the desktop: the recorder sees it.
  InputRoot = desktop_;
  Events.clear();
  harness_.KeyDown('Q');
  EXPECT_EQ(Events, (std::vector<std::string>{"button.key", "box.key", "desktop.key"}));
  InputRoot = box;

  // With the scope gone, clicks reach the screen again.
  desktop_->DeleteChild(box);
  Events.clear();
  harness_.MouseMove(310, 310);
  harness_.LeftDown(310, 310);
  EXPECT_EQ(Events, (std::vector<std::string>{"outside.got", "outside.press"}));
  harness_.LeftUp(310, 310);
  (void)outside;
}

TEST_F(WindowTreeTest, TheMouseStaysWithItsWindowWhileAButtonIsHeld) {
  auto* a = new TProbe(desktop_, "a", {0, 0, 50, 50});
  new TProbe(desktop_, "b", {100, 0, 50, 50});
  harness_.MouseMove(10, 10);
  ASSERT_EQ(PointerWindow, a);
  Events.clear();
  harness_.LeftDown(10, 10);
  harness_.MouseMove(120, 10);
  EXPECT_EQ(PointerWindow, a) << "no hit test while the button is held";
  EXPECT_TRUE(std::find(Events.begin(), Events.end(), "a.leave") == Events.end());
  harness_.LeftUp(120, 10);
  harness_.MouseMove(121, 10);
  EXPECT_NE(PointerWindow, a);
  EXPECT_TRUE(std::find(Events.begin(), Events.end(), "a.leave") != Events.end());
}

TEST_F(WindowTreeTest, ResizingTheNativeWindowResizesTheScreenAndItsTopLevelWindows) {
  new TProbe(desktop_, "top", {});
  Events.clear();
  RECT window = {}, client = {};
  GetWindowRect(harness_.Window(), &window);
  GetClientRect(harness_.Window(), &client);
  const int frameW = (window.right - window.left) - client.right;
  const int frameH = (window.bottom - window.top) - client.bottom;
  MoveWindow(harness_.Window(), 0, 0, 800 + frameW, 600 + frameH, TRUE);
  auto* desktop = static_cast<TDesktop*>(desktop_);
  EXPECT_EQ(desktop->Width, 800);
  EXPECT_EQ(desktop->Height, 600);
  ASSERT_TRUE(desktop->Bitmap);
  EXPECT_EQ(desktop->Bitmap->Width(), 800);
  EXPECT_EQ(desktop->Bitmap->Height(), 600);
  EXPECT_EQ(Events, (std::vector<std::string>{"top.size 800x600"}));
}

TEST_F(WindowTreeTest, ABufferKeepsItsBitmapOnSameSizeButIsDirtyAndConvertsPoints) {
  auto* buffer = new TWindowBuffer(TRect{100, 50, 40, 30});
  TBitmap* before = buffer->Bitmap.get();
  buffer->Dirty = false;
  buffer->SetSize(40, 30);
  EXPECT_EQ(buffer->Bitmap.get(), before);
  EXPECT_TRUE(buffer->Dirty);
  buffer->SetSize(60, 30);
  EXPECT_EQ(buffer->Bitmap->Width(), 60);
  TPoint p{110, 60};
  buffer->ToLocal(p);
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.y, 10);
  auto* child = new TProbe(buffer, "child", {0, 0, 20, 20});
  EXPECT_EQ(desktop_->HitTest({105, 55}), child) << "children of a buffer are hit in its own coordinates";
  EXPECT_EQ(desktop_->HitTest({130, 55}), buffer);
}
