#pragma once
// The command tests' host: the forms host with an undo history, a fresh
// session memory, glyphs that draw nothing and a current 9x9 game of level
// 0, built by the application object as the program builds its games.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "app/SessionMemory.h"
#include "forms/gameobject/Game.h"
#include "game/CommandHistory.h"
#include "game/commands/Services.h"
#include "notus/ownerdraw/installed_functions.h"
#include "tests/support/FormsHost.h"

namespace commands_test {

// The value of a complete, valid grid of box size N at a cell: each row is
// the one above shifted by N, and by one more at each new band.
template <unsigned N>
std::uint32_t SolutionAt(std::uint32_t cell) {
  const std::uint32_t S = N * N;
  const std::uint32_t row = cell / S, column = cell % S;
  return (row * N + row / N + column) % S;
}

class CommandsTest : public forms_test::FormsTest {
 protected:
  void SetUp() override {
    SessionMemory::Clear();
    installed.Install(&notus::ownerdraw::set_glyph_drawer, [](auto&, unsigned, auto, auto) {});
    CommandHistory::Create();
    FormsTest::SetUp();
    gamecommands::Services::InstallCurrentGame([] {
      Application* current = Application::Instance();
      return current ? current->game : nullptr;
    });
    state->SeGameSize(3, 0);
  }
  void TearDown() override {
    gamecommands::Services::Reset();
    FormsTest::TearDown();
    CommandHistory::Destroy();
    SessionMemory::Clear();
  }

  template <unsigned N>
  Game<N>& CurrentGame() {
    return dynamic_cast<Game<N>&>(*state->game);
  }
};

}  // namespace commands_test
