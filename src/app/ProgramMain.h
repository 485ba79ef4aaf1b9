#pragma once

#include <functional>

class QWidget;

// The program from start-up to the end of its event loop, as main() runs it.
// `whenShown`, when given, runs once the main window is shown, in place of the
// event loop, and its result ends the program (the start-up benchmark uses it).
int RunProgram(int argc, char *argv[], const std::function<int(QWidget *)> &whenShown = {});
