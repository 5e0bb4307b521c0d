// The engine is silent about files it cannot read; the command line checks its
// inputs first and says what is wrong.
#pragma once

#include <string>

#include "engine/chosen_file.h"

namespace tessel::cli {

// True when `path` is a regular file that can be opened for reading;
// otherwise sets `error` to a sentence naming the file and the cause.
bool CheckReadableFile(const std::string& path, std::string& error);

// The chosen file, and for an index the store beside it, must be readable.
bool CheckChosenFile(const ChosenFile& chosen, std::string& error);

}  // namespace tessel::cli
