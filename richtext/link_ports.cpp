#include "richtext/link_ports.h"

namespace tessel {
namespace {

constexpr std::size_t kMaxCommandLength = 260;  // what the registry read keeps of the command
constexpr int kShellOpenFailed = 32;            // shell results up to this one are errors

}  // namespace

void OpenShellLink(const std::string& target, ShellPort& shell) {
  if (shell.Open(target) > kShellOpenFailed) return;
  auto handlerClass = shell.ReadClassesRootDefault(".htm");
  if (!handlerClass) return;
  auto command = shell.ReadClassesRootDefault(*handlerClass + "\\shell\\open\\command");
  if (!command) return;
  std::string line = command->substr(0, kMaxCommandLength);
  std::size_t cut = line.find("\"%1\"");
  if (cut == std::string::npos) cut = line.find("%1");
  if (cut != std::string::npos) line.erase(cut);
  shell.Run(line + " " + target);
}

}  // namespace tessel
