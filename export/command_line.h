#pragma once
#include <string>
#include <vector>

namespace vorlen {

// What the program was asked to do by its arguments.
struct CommandLineRequest {
    enum class Kind {
        Window,  // no arguments: the window opens
        Export,  // "/export PATH": the list is written to PATH without a window
        Invalid  // anything else: reported, nothing written
    };
    Kind kind = Kind::Window;
    std::wstring exportPath;
    std::wstring problem;  // for Invalid: what was wrong
};

// Reads the arguments after the program's name. The switch may be written
// /export or -export in any letter case.
CommandLineRequest ParseArguments(const std::vector<std::wstring>& arguments);

// How the program is started, shown with a wrong command line.
std::wstring UsageText();

}  // namespace vorlen
