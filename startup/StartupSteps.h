// The steps of start-up that are not application commands: finding the
// player to start with, probing the cached resources, loading the layouts
// and strings of a language that exists, refusing a second application
// object and loading the art.  RunApplication runs them in its order;
// each is on its own here so that its failure cases can be tried alone.
#pragma once

#include <string>

#include "app/Users.h"

namespace startup {

// The name a first run gives its only player.
inline constexpr const wchar_t* kFirstPlayerName = L"Player 1";
// The language the program falls back to before any other.
inline constexpr const wchar_t* kFallbackLanguage = L"en";

// Reads "users.txt" into users and makes sure it names a current player
// that exists: an empty list gets "Player 1", a stored current id that
// names no player is replaced by the first player's.  Either change is
// written back at once, so the file says what the run uses.
void LoadPlayers(data_objects::users& users);

// Whether "cached_resources.dat" can be opened; when it cannot, no language
// has been chosen on this computer yet and the language dialog runs.
bool CachedResourcesUsable();

// Loads the layouts and strings for the screen in the stored language and
// returns the language loaded.  A language the resource file no longer has
// would leave every form without its items, so the program falls back to
// "en", then to the file's first language.  When none loads, the resource
// file is damaged or missing and nothing can be shown: throws CannotStart
// naming it, and nothing is loaded.
std::wstring LoadLanguageResources(const std::wstring& stored, int width, int height);

// Loads "glyphs.dat" of the resources folder into the program's glyph
// document, which every glyph widget draws from, once it and the grid's
// "titular_digits.dat" are found to hold every drawing the game draws, each
// readable.  When either is missing or damaged, throws CannotStart naming
// it, in the loaded language, and nothing is loaded.
void LoadArt();

}  // namespace startup

// Throws std::logic_error "Only one domain is possible.": a second
// application object would take over the first one's windows and history.
[[noreturn]] void ThrowOnlyOneDomain();
