#pragma once

namespace vorlen {

// A failure that nothing reports reached a boundary (a command's, a window
// procedure's): a fault of the program, never swallowed silently. It goes
// to the debugger's output and, where assertions are on (the Win32 tests),
// stops the program at once, so that the fault fails the run.
void ReportProgramFault(const char* what);

}  // namespace vorlen
