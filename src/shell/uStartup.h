#pragma once

#include <QStringList>

class TfrmMain;
class TProjectZUNO;

// The program from start to the message loop: splash, the application object
// (a failure: one error box and the end), the main window and its start-up
// work, then the loop. Without runLoop it returns once the main window is
// shown (tests, start-up measurements). Returns the process exit code.
int ZunoMain(const QStringList& arguments, bool runLoop);

// Tells the main window which module opens each navigation page.
void RegisterModulePages();

// The objects of the running program (null when not running).
TProjectZUNO* RunningApp();
TfrmMain* MainWindow();
// Ends the objects ZunoMain made without running the loop.
void ZunoShutdown();
