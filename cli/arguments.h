// tessel's arguments as UTF-8, the form every path of ours takes. One file per
// platform implements this.
#pragma once

#include <string>
#include <vector>

namespace tessel::cli {

// The arguments after the program's name.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace tessel::cli
