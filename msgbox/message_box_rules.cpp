#include "msgbox/message_box_rules.h"

namespace tessel {

namespace {

constexpr std::string_view kRememberKeyName = "KVMessageBox";

std::string_view FileNamePart(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string FormatCountdown(std::string_view format, std::string_view text, int value) {
  std::string out;
  bool textDone = false;
  bool valueDone = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    const char next = i + 1 < format.size() ? format[i + 1] : '\0';
    if (c == '%' && next == '%') {
      out += '%';
      ++i;
    } else if (c == '%' && next == 's' && !textDone) {
      out += text;
      textDone = true;
      ++i;
    } else if (c == '%' && next == 'd' && !valueDone) {
      out += std::to_string(value);
      valueDone = true;
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

std::string CountingCaption(std::string_view caption, int value) { return FormatCountdown("%s = %d", caption, value); }

int InitialCountdown(const MessageBoxParams& params) {
  int countdown = params.disableSeconds > 0 ? params.disableSeconds : 0;
  if (params.timeoutSeconds > 0) countdown = params.timeoutSeconds;
  return countdown;
}

bool CountdownInCaption(const MessageBoxParams& params) {
  return params.disableSeconds > 0 && params.countdownInCaption != 0;
}

std::string StartingCaption(const MessageBoxParams& params, const std::string& caption,
                            const std::string& countdownFormat, int countdown) {
  return CountdownInCaption(params) ? FormatCountdown(countdownFormat, caption, countdown) : caption;
}

bool CloseStartsGreyed(const MessageBoxParams& params, bool cancellable, std::uint32_t defaultId) {
  if (!cancellable) return true;
  return params.disableSeconds > 0 && (params.countdownInCaption != 0 || defaultId == MessageBoxButton::kCancel);
}

ButtonStart StartingButton(std::uint32_t id, const std::string& caption, bool isDefault, const MessageBoxParams& params,
                           int countdown) {
  ButtonStart start{caption, true, false};
  const bool disabling = params.disableSeconds > 0;
  if (id == MessageBoxButton::kHelp) {
    if (isDefault) {
      start.defaultStyle = true;
      if (params.timeoutSeconds > 0 || (disabling && !params.countdownInCaption))
        start.caption = CountingCaption(caption, countdown);
    }
    return start;
  }
  if (CountdownInCaption(params)) {
    start.enabled = false;
  } else if (isDefault) {
    start.defaultStyle = !disabling;
    if (countdown > 0) {
      start.caption = CountingCaption(caption, countdown);
      start.enabled = !disabling;
    }
  }
  return start;
}

CountdownStep CountdownTick(int& countdown, const MessageBoxParams& params) {
  if (countdown > 0) --countdown;
  if (countdown > 0) return CountdownStep::Show;
  if (params.disableSeconds > 0 || params.timeoutSeconds <= 0) return CountdownStep::Release;
  return CountdownStep::Press;
}

BoxCommand ClassifyCommand(std::uint32_t id, bool cancellable) {
  switch (id) {
    case 0:
      return BoxCommand::Ignore;
    case MessageBoxButton::kCancel:
      return cancellable ? BoxCommand::End : BoxCommand::Ignore;
    case MessageBoxButton::kHelp:
      return BoxCommand::Help;
    case MessageBoxButton::kReport:
      return BoxCommand::Report;
    case MessageBoxButton::kLess:
    case MessageBoxButton::kMore:
      return BoxCommand::ToggleMore;
    default:
      return BoxCommand::End;
  }
}

std::uint32_t CommandResult(std::uint32_t id, std::uint32_t style, bool checkBoxChecked) {
  if (checkBoxChecked && (style & MessageBoxStyle::kChecked)) id |= MessageBoxStyle::kChecked;
  return id;
}

bool StoresAnswer(const MessageBoxParams& params, bool checkBoxExists, bool checkBoxChecked) {
  return checkBoxExists && checkBoxChecked && !params.rememberValueName.empty();
}

bool LooksUpAnswer(const MessageBoxParams& params) {
  return (params.style & MessageBoxStyle::kCheckBox) && !params.rememberValueName.empty();
}

std::string RememberKeyPath(std::string_view programPath, std::string_view company) {
  std::string key = "Software\\";
  if (!company.empty()) {
    key += company;
    key += '\\';
  }
  key += FileNamePart(programPath);
  key += '\\';
  key += kRememberKeyName;
  return key;
}

std::string RememberValueName(const MessageBoxParams& params) {
  return params.rememberValueName + std::to_string(params.rememberId);
}

std::string HelpFilePath(std::string_view programPath) {
  const std::size_t dot = programPath.rfind('.');
  std::string path(dot == std::string_view::npos ? programPath : programPath.substr(0, dot));
  return path + ".hlp";
}

}  // namespace tessel
