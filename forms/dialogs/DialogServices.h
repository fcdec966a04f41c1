// What start-up installs for the game commands that need a dialog: the
// report of a solved puzzle (GameSolved_Command) and the OK dialog with two
// resource strings (the grid check's).  The game layer reaches both through
// gamecommands::Services, since it cannot include the forms.
#pragma once

class GameBase;

// Installs both into gamecommands::Services, replacing what was there.
void InstallDialogServices();

// The installed solved report.  It runs GameSolved_Command when the game
// reported is the application's current game, which is the game the command
// works on; any other game is only marked solved, as when no report is
// installed, so no other game's solve is shown or counted.
void ReportSolvedGame(GameBase& game);
