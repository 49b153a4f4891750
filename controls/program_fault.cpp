#include "controls/program_fault.h"

#include <windows.h>

#include <cassert>

namespace vorlen {

void ReportProgramFault(const char* what) {
    OutputDebugStringA(what);
    assert(!"a failure that nothing reports reached a boundary");
}

}  // namespace vorlen
