// The question the desktop asks at start-up when the last run learnt of a
// newer version: the OK/Cancel dialog (form 15) with its own title (string
// 408) and message (string 409); the buttons keep the form's texts.  The
// caller opens the address when the player accepts.
#pragma once

#include "forms/dialogs/OkCancelDialog.h"

class new_vwrsion_dialog : public ok_cancel_dialog {
 public:
  new_vwrsion_dialog();
};

// Shows the dialog, runs its loop and answers whether the player accepted
// (the accepting button, item 2).
bool AskAboutNewVersion();
