// The terminal (a Linux terminal or a Windows console) that tessel's standard
// streams may be: whether they are one, how wide it is, and the streams made
// ready for byte-exact output. One file per platform implements this.
#pragma once

#include <cstddef>
#include <cstdio>

namespace tessel::cli {

bool IsTerminal(std::FILE* stream);

// Columns of the terminal on `stream`, or 0 when it is none.
size_t TerminalColumns(std::FILE* stream);

// Called once at start: stdout and stderr write bytes exactly as given (no
// line end translation), and a console shows the UTF-8 that tessel writes to it.
void PrepareStandardStreams();

}  // namespace tessel::cli
