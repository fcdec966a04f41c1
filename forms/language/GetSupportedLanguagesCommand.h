// The languages the player may choose, in the resource file's order.  They
// are read once per run from the cached copy of the resources, which names
// every language even though it holds the texts of one
// (app/ResourceManager.h, ReadSupportedLanguages).
#pragma once

#include <string>
#include <vector>

#include "game/ApplicationCommand.h"

class GetSupportedLanguagesCommand : public ApplicationCommand {
 public:
  // Replaces languages by the list; empty when no file names a language.
  void Execute() override;

  std::vector<std::wstring> languages;
};
