// The application's start-up, main loop and shutdown, which WinMain runs
// after it has made the main window and started the paint timer.  It returns
// when the main loop has taken WM_QUIT; exceptions leave it for WinMain.
#pragma once

int RunApplication();
