#pragma once
// Ports the links of a rich text act through: the window messages of hover
// notifications and message links, the link cursor, the shell that opens
// targets, and the one registry read of the shell fallback.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessel {

// A window of the platform, opaque to the core; null means none.
struct NativeWindow;
using WindowRef = NativeWindow*;

class WindowPort {
 public:
  virtual ~WindowPort() = default;
  // Sends (not posts) a message and waits for the window to handle it.
  virtual std::intptr_t SendToWindow(WindowRef window, unsigned message, std::intptr_t wParam,
                                     std::intptr_t lParam) = 0;
  // Shows the link (hand) cursor; false when there is none.
  virtual bool SetLinkCursor() = 0;
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

// Test doubles that record what they were asked.
class RecordingWindowPort : public WindowPort {
 public:
  struct Sent {
    WindowRef window;
    unsigned message;
    std::intptr_t wParam;
    std::intptr_t lParam;
    std::string text;  // for message links: the target wParam pointed to
  };
  std::intptr_t SendToWindow(WindowRef window, unsigned message, std::intptr_t wParam, std::intptr_t lParam) override;
  bool SetLinkCursor() override {
    ++cursorSets;
    return hasCursor;
  }
  std::vector<Sent> sent;
  unsigned textMessage = 0;  // a message whose wParam points to a text (message links)
  bool hasCursor = true;
  int cursorSets = 0;
};

class RecordingShellPort : public ShellPort {
 public:
  int Open(const std::string& target) override {
    opened.push_back(target);
    return openResult;
  }
  void Run(const std::string& commandLine) override { run.push_back(commandLine); }
  std::optional<std::string> ReadClassesRootDefault(const std::string& key) override;

  int openResult = 42;
  std::vector<std::pair<std::string, std::string>> registry;  // key, default value
  std::vector<std::string> opened;
  std::vector<std::string> run;
};

// Opens a shell link; when the shell cannot, starts the ".htm" handler's
// command with the target in place of its "%1".
void OpenShellLink(const std::string& target, ShellPort& shell);

}  // namespace tessel
