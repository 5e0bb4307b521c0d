#include "msgbox/message_box_call.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace tessel {

namespace {

constexpr std::uintptr_t kLargestResourceId = 0xFFFF;  // a text pointer this small is a resource id instead

// Resource texts are UTF-8: the limit counts characters, and the cut never
// falls inside one.
void CutToResourceLength(std::string& text) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // within a character
    if (characters++ == kMaxResourceTextLength) {
      text.resize(i);
      return;
    }
  }
}

struct ButtonText {
  std::uint32_t id;
  std::string_view caption;
  std::uint32_t resourceId;
};

constexpr std::array<ButtonText, 20> kButtonTexts{{
    {MessageBoxButton::kOk, "OK", 9001},
    {MessageBoxButton::kCancel, "Cancel", 9002},
    {MessageBoxButton::kAbort, "Abort", 9005},
    {MessageBoxButton::kRetry, "Retry", 9004},
    {MessageBoxButton::kIgnore, "Ignore", 9003},
    {MessageBoxButton::kYes, "Yes", 9007},
    {MessageBoxButton::kNo, "No", 9008},
    {MessageBoxButton::kHelp, "Help", 9006},
    {MessageBoxButton::kTryAgain, "Try again", 9015},
    {MessageBoxButton::kContinue, "Continue", 9009},
    {MessageBoxButton::kSkip, "Skip", 9018},
    {MessageBoxButton::kSkipAll, "Skip all", 9019},
    {MessageBoxButton::kIgnoreAll, "Ignore all", 9017},
    {MessageBoxButton::kYesToAll, "Yes to all", 9013},
    {MessageBoxButton::kNoToAll, "No to all", 9014},
    {MessageBoxButton::kReport, "Report", 9016},
    {MessageBoxButton::kLess, "<< More", 9011},
    {MessageBoxButton::kMore, "More >>", 9010},
    {MessageBoxButton::kCheckBox, "Do not show again", 9012},
    {MessageBoxButton::kCountdownFormat, "%s (%d seconds remaining)", 9020},
}};

const ButtonText* FindButtonText(std::uint32_t id) {
  for (const ButtonText& entry : kButtonTexts) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

struct ButtonSet {
  std::vector<std::uint32_t> ids;
  bool cancellable;
};

// The sets 3 and 4 get their "... to all" buttons from the style, see below.
ButtonSet StandardSet(std::uint32_t set) {
  using namespace MessageBoxButton;
  switch (set) {
    case MessageBoxStyle::kOkCancel:
      return {{kOk, kCancel}, true};
    case MessageBoxStyle::kAbortRetryIgnore:
      return {{kAbort, kRetry, kIgnore}, false};
    case MessageBoxStyle::kYesNoCancel:
      return {{kYes, kNo, kCancel}, true};
    case MessageBoxStyle::kYesNo:
      return {{kYes, kNo}, false};
    case MessageBoxStyle::kRetryCancel:
      return {{kRetry, kCancel}, true};
    case MessageBoxStyle::kCancelRetryContinue:
      return {{kCancel, kRetry, kContinue}, true};
    case MessageBoxStyle::kContinueAbort:
      return {{kContinue, kAbort}, false};
    case MessageBoxStyle::kSkipSkipAllCancel:
      return {{kSkip, kSkipAll, kCancel}, true};
    case MessageBoxStyle::kIgnoreIgnoreAllCancel:
      return {{kIgnore, kIgnoreAll, kCancel}, true};
    default:
      return {{kOk}, true};
  }
}

void InsertAfter(std::vector<std::uint32_t>& ids, std::uint32_t after, std::uint32_t id) {
  for (auto it = ids.begin(); it != ids.end(); ++it) {
    if (*it == after) {
      ids.insert(it + 1, id);
      return;
    }
  }
}

MessageBoxAnswerHook& AnswerHook() {
  static MessageBoxAnswerHook hook;
  return hook;
}

}  // namespace

TextRef::TextRef(const char* text) {
  const auto value = reinterpret_cast<std::uintptr_t>(text);
  if (value != 0 && value <= kLargestResourceId) {
    id_ = static_cast<std::uint16_t>(value);
  } else {
    text_ = text;
  }
}

TextRef TextRef::Resource(std::uint16_t id) {
  TextRef ref;
  ref.id_ = id;
  return ref;
}

std::string ResolveTextRef(TextRef ref, const MessageBoxParams& params, const StringResources& strings) {
  if (ref.IsResource()) {
    if (params.style & MessageBoxStyle::kNoResourceTexts) return {};
    std::string text = strings.Load(params.stringModule, ref.ResourceId());
    CutToResourceLength(text);
    return text;
  }
  return ref.Text() ? std::string(ref.Text()) : std::string();
}

std::string_view BuiltInCaption(std::uint32_t id) {
  const ButtonText* entry = FindButtonText(id);
  return entry ? entry->caption : std::string_view();
}

std::uint32_t CaptionResourceId(std::uint32_t id) {
  const ButtonText* entry = FindButtonText(id);
  return entry ? entry->resourceId : 0;
}

std::string ButtonCaption(std::uint32_t id, const MessageBoxParams& params, const StringResources& strings,
                          const char* defaultText) {
  std::string caption;
  if (params.captionOverrides) {
    const auto found = params.captionOverrides->find(id);
    if (found != params.captionOverrides->end()) caption = ResolveTextRef(found->second, params, strings);
  }
  const std::uint32_t resourceId = CaptionResourceId(id);
  if (caption.empty() && resourceId != 0 && !(params.style & MessageBoxStyle::kNoResourceTexts)) {
    caption = strings.Load(params.stringModule, resourceId);
    CutToResourceLength(caption);
  }
  if (caption.empty()) caption = defaultText ? std::string(defaultText) : std::string(BuiltInCaption(id));
  return caption;
}

std::string WindowCaption(std::string_view caption, std::string_view ownerText) {
  if (!caption.empty()) return std::string(caption);
  if (!ownerText.empty()) return std::string(ownerText);
  return "Error";
}

std::vector<std::string> SplitCustomButtons(std::string_view list) {
  std::vector<std::string> pieces;
  std::string piece;
  auto finishPiece = [&] {
    if (!piece.empty() && pieces.size() < MessageBoxButton::kMaxCustom) pieces.push_back(piece);
    piece.clear();
  };
  for (char c : list) {
    if (c == '\r') continue;
    if (c == '\n') {
      finishPiece();
    } else {
      piece += c;
    }
  }
  finishPiece();
  return pieces;
}

MessageBoxButtons ChooseButtons(std::uint32_t style, std::size_t customCount, bool hasReport, bool hasMore) {
  MessageBoxButtons buttons;
  customCount = std::min(customCount, MessageBoxButton::kMaxCustom);
  if (customCount > 0) {
    for (std::size_t i = 0; i < customCount; ++i) {
      buttons.ids.push_back(MessageBoxButton::kCustomFirst + static_cast<std::uint32_t>(i));
    }
    buttons.cancellable = false;
  } else {
    const std::uint32_t set = style & MessageBoxStyle::kButtonSetMask;
    ButtonSet standard = StandardSet(set);
    if (set == MessageBoxStyle::kYesNoCancel || set == MessageBoxStyle::kYesNo) {
      if (style & MessageBoxStyle::kYesToAll)
        InsertAfter(standard.ids, MessageBoxButton::kYes, MessageBoxButton::kYesToAll);
      if (style & MessageBoxStyle::kNoToAll)
        InsertAfter(standard.ids, MessageBoxButton::kNo, MessageBoxButton::kNoToAll);
    }
    buttons.ids = std::move(standard.ids);
    buttons.cancellable = standard.cancellable;
  }
  if (style & MessageBoxStyle::kHelp) buttons.ids.push_back(MessageBoxButton::kHelp);
  if (hasReport) buttons.ids.push_back(MessageBoxButton::kReport);
  if (hasMore) buttons.ids.push_back(MessageBoxButton::kMore);

  const std::size_t index = (style & MessageBoxStyle::kDefaultButtonMask) >> MessageBoxStyle::kDefaultButtonShift;
  buttons.defaultIndex = index < buttons.ids.size() ? index : 0;
  return buttons;
}

MessageBoxParams CompleteMessageBoxParams(WindowHandle owner, TextRef text, const char* caption, std::uint32_t style,
                                          const MessageBoxParams* params) {
  MessageBoxParams completed = params ? *params : MessageBoxParams{};
  completed.owner = owner;
  completed.messageText = text;
  completed.caption = caption ? caption : "";
  completed.style = style;
  return completed;
}

MessageBoxAnswerHook SetMessageBoxAnswerHook(MessageBoxAnswerHook hook) {
  return std::exchange(AnswerHook(), std::move(hook));
}

std::uint32_t AnswerMessageBox(const MessageBoxParams& completed, MessageBoxShow show) {
  if (const MessageBoxAnswerHook& hook = AnswerHook()) {
    if (const std::optional<std::uint32_t> answer = hook(completed)) return *answer;
  }
  return show ? show(completed) : MessageBoxButton::kCancel;
}

}  // namespace tessel
