// Changes the language of the user interface: runs the change-language
// dialog (ChangeLanguageDialog.h) and, when the player accepts another
// language, shows the wait form (WaitForm.h), loads that language's layouts
// and strings and stores it in the player's options.  Start-up runs it when
// no language is usable yet (without Cancel); the options form's preferences
// page runs it with Cancel and rebuilds itself when `changed` says so.
//
// The command changes nothing unless the new language has loaded: a load
// that fails keeps the texts, the layouts and the option that were in use,
// so the forms built afterwards still find their items.
#pragma once

#include <string>

#include "game/ApplicationCommand.h"

class LanguageChangeCommand : public ApplicationCommand {
 public:
  explicit LanguageChangeCommand(bool fromOptions) : fromOptions(fromOptions) {}

  // Needs the application object (the main frame and the options); without
  // one it does nothing.
  void Execute() override;

  // Run from the options form: the dialog keeps its Cancel button.
  bool fromOptions = false;
  // Set by Execute when another language was loaded and stored.
  bool changed = false;
};

// Loads the layouts and strings of that language for the screen (through the
// cached copy, rewritten when the resource file had to be read) while the
// wait form, in the texts loaded before, is on screen.  False, with the
// texts in use kept, when the language cannot be loaded or there is no
// application object.  The options are the caller's to change.
bool LoadLanguageBehindWaitForm(const std::wstring& language);
