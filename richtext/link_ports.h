#pragma once
// Ports the links of a rich text act through: the window messages of hover
// notifications and message links, the link cursor, the shell that opens
// targets, and the one registry read of the shell fallback.
#include <cstdint>
#include <optional>
#include <string>

#include "draw/native_handles.h"

namespace tessel {

class WindowMessagePort {
 public:
  virtual ~WindowMessagePort() = default;
  // Sends (not posts) a message and waits for the window to handle it.
  virtual std::intptr_t SendWindowMessage(WindowHandle window, unsigned message, std::intptr_t wParam,
                                          std::intptr_t lParam) = 0;
};

class LinkCursorPort {
 public:
  virtual ~LinkCursorPort() = default;
  // Shows the link (hand) cursor; false when there is none.
  virtual bool Show() = 0;
};

class ShellPort {
 public:
  virtual ~ShellPort() = default;
  // Opens a target with its registered program; above 32 means it started.
  virtual int Open(const std::string& target) = 0;
  // Starts a command line, shown.
  virtual void Run(const std::string& commandLine) = 0;
  // The default value of a key under the classes root; nullopt when missing.
  virtual std::optional<std::string> ReadClassesRootDefault(const std::string& key) = 0;
};

// Opens a shell link; when the shell cannot, starts the ".htm" handler's
// command with the target in place of its "%1".
void OpenShellLink(const std::string& target, ShellPort& shell);

}  // namespace tessel
