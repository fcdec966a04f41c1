#pragma once
// The application tests' host: the dialog tests' host (real main window and
// window procedure, the resource file, private folders, players on disk)
// with what start-up installs for the application installed before the
// application object is made, fresh session memory, and a glyph drawer that
// notes the glyphs drawn instead of drawing them.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/SessionMemory.h"
#include "forms/application/ApplicationServices.h"
#include "forms/gameobject/Game.h"
#include "notus/ownerdraw/installed_functions.h"
#include "tests/support/dialogs_fixture.h"

namespace application_test {

using forms_test::app;
using forms_test::DialogScript;

inline constexpr std::uint32_t kWhite = 0xFFFFFFFF;

class ApplicationTest : public dialogs_test::DialogsTest {
 protected:
  void InstallFunctions() override { InstallApplicationServices(); }
  void SetUp() override {
    SessionMemory::Clear();
    DialogsTest::SetUp();
    installed.Install(&notus::ownerdraw::set_glyph_drawer,
                      [this](notus::ownerdraw::face_device&, unsigned id, auto, auto) { glyphs.push_back(id); });
  }
  void TearDown() override {
    DialogsTest::TearDown();
    SessionMemory::Clear();
  }

  // Whether anything but the white page is painted at (x, y) once every
  // queued message is handled.
  bool Painted(int x, int y) {
    Settle();
    return Shot().At(x, y) != kWhite;
  }
  bool PaintedAtCentreOf(int form, int item) {
    const ItemConfig c = ResourceManager::GetItemConfig(form, item);
    return Painted((c.left + c.right) / 2, (c.top + c.bottom) / 2);
  }

  std::vector<unsigned> glyphs;
};

// The game as the Game<N> it is; fails the test when it is another.
template <unsigned N>
Game<N>& GameOfSize(GameBase& game) {
  auto* typed = dynamic_cast<Game<N>*>(&game);
  EXPECT_NE(typed, nullptr) << "not a Game<" << N << ">";
  return *typed;
}

}  // namespace application_test
