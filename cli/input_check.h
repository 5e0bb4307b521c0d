// The engine is silent about files it cannot read; the command line checks its
// inputs first and says what is wrong.
#pragma once

#include <string>

namespace tessel::cli {

// True when `path` is a regular file that can be opened for reading;
// otherwise sets `error` to a sentence naming the file and the cause.
bool CheckReadableFile(const std::string& path, std::string& error);

// For a message store scan: the chosen file, and for an index the store
// beside it, must be readable.
bool CheckMessageStoreInput(const std::string& path, std::string& error);

}  // namespace tessel::cli
