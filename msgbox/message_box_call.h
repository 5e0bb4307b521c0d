#pragma once
// RichMessageBox: the one call through which the program asks every question and
// gives every notice. Callers pass the text, the caption, style bits (the Windows
// MB_* layout plus the box's own high bits) and optionally a MessageBoxParams
// record; the result is the id of the button that ended the box.
//
// This header is portable: window and module handles are the opaque types of
// draw/native_handles.h, which the Windows code converts at its edge. The pieces
// of the box that decide which buttons it has, their captions and its texts are
// plain functions here so that they can be tested without a window system.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "draw/color.h"
#include "draw/native_handles.h"

namespace tessel {

// Style bits.
namespace MessageBoxStyle {
inline constexpr std::uint32_t kButtonSetMask = 0x0000000F;
inline constexpr std::uint32_t kOk = 0;
inline constexpr std::uint32_t kOkCancel = 1;
inline constexpr std::uint32_t kAbortRetryIgnore = 2;
inline constexpr std::uint32_t kYesNoCancel = 3;
inline constexpr std::uint32_t kYesNo = 4;
inline constexpr std::uint32_t kRetryCancel = 5;
inline constexpr std::uint32_t kCancelRetryContinue = 6;
inline constexpr std::uint32_t kContinueAbort = 7;
inline constexpr std::uint32_t kSkipSkipAllCancel = 8;
inline constexpr std::uint32_t kIgnoreIgnoreAllCancel = 9;

// The icon bits are also the sound the box makes.
inline constexpr std::uint32_t kIconMask = 0x000000F0;
inline constexpr std::uint32_t kIconStop = 0x10;
inline constexpr std::uint32_t kIconQuestion = 0x20;
inline constexpr std::uint32_t kIconExclamation = 0x30;
inline constexpr std::uint32_t kIconInformation = 0x40;
inline constexpr std::uint32_t kIconUser = 0x80;

inline constexpr std::uint32_t kDefaultButtonMask = 0x00000F00;  // index << 8
inline constexpr int kDefaultButtonShift = 8;

inline constexpr std::uint32_t kHelp = 0x00004000;
inline constexpr std::uint32_t kSetForeground = 0x00010000;
inline constexpr std::uint32_t kTopmost = 0x00040000;
inline constexpr std::uint32_t kRightAlign = 0x00080000;
inline constexpr std::uint32_t kCheckBox = 0x01000000;
inline constexpr std::uint32_t kChecked = 0x02000000;  // also marks a result given while checked
inline constexpr std::uint32_t kCheckBoxBelow = 0x04000000;
inline constexpr std::uint32_t kYesToAll = 0x08000000;
inline constexpr std::uint32_t kNoToAll = 0x10000000;
inline constexpr std::uint32_t kNoResourceTexts = 0x20000000;
inline constexpr std::uint32_t kNoSound = 0x40000000;
}  // namespace MessageBoxStyle

// Button ids: the results of the call, and the keys of the caption rule.
namespace MessageBoxButton {
inline constexpr std::uint32_t kOk = 1;
inline constexpr std::uint32_t kCancel = 2;
inline constexpr std::uint32_t kAbort = 3;
inline constexpr std::uint32_t kRetry = 4;
inline constexpr std::uint32_t kIgnore = 5;
inline constexpr std::uint32_t kYes = 6;
inline constexpr std::uint32_t kNo = 7;
inline constexpr std::uint32_t kHelp = 9;
inline constexpr std::uint32_t kTryAgain = 10;
inline constexpr std::uint32_t kContinue = 11;
inline constexpr std::uint32_t kSkip = 14;
inline constexpr std::uint32_t kSkipAll = 15;
inline constexpr std::uint32_t kIgnoreAll = 16;
inline constexpr std::uint32_t kYesToAll = 19;
inline constexpr std::uint32_t kNoToAll = 20;
inline constexpr std::uint32_t kReport = 21;
inline constexpr std::uint32_t kCustomFirst = 23;  // custom buttons are 23 to 26
inline constexpr std::size_t kMaxCustom = 4;
inline constexpr std::uint32_t kLess = 30;  // "<< More": the More button while expanded
inline constexpr std::uint32_t kMore = 31;
inline constexpr std::uint32_t kCheckBox = 0x01000000;         // caption key of the check box
inline constexpr std::uint32_t kCountdownFormat = 0x80000000;  // caption key of the countdown format
}  // namespace MessageBoxButton

// Separator lines of a band.
namespace MessageBoxSeparator {
inline constexpr int kNone = 0;
inline constexpr int kEtched = 1;
inline constexpr int kBlackLine = 2;
inline constexpr int kWhiteLine = 3;  // any other value: the separator's text only
}  // namespace MessageBoxSeparator

// Alignment of a separator's text and of the button row.
namespace MessageBoxAlign {
inline constexpr int kLeft = 0;
inline constexpr int kRight = 1;
inline constexpr int kCentre = 2;  // any other value centres as well
}  // namespace MessageBoxAlign

// A text reference: a pointer to a zero-terminated string, or a string resource
// id. As with the platform's resource names, a pointer value of at most 0xFFFF
// is taken as a resource id, so a MAKEINTRESOURCE value may be passed as text.
// Null (and id 0) is the empty text. The referenced string must outlive the call.
class TextRef {
 public:
  constexpr TextRef() = default;
  TextRef(const char* text);  // NOLINT: implicit, so callers pass string literals
  static TextRef Resource(std::uint16_t id);

  bool IsNull() const { return text_ == nullptr && id_ == 0; }
  bool IsResource() const { return id_ != 0; }
  std::uint16_t ResourceId() const { return id_; }
  const char* Text() const { return text_; }  // null for a resource id

  friend bool operator==(const TextRef&, const TextRef&) = default;

 private:
  const char* text_ = nullptr;
  std::uint16_t id_ = 0;
};

// A band's colours default to this marker, which the box replaces by the
// desktop's button-face colour when it paints (high bit set, low byte the system
// colour index 15, as OLE colours name system colours).
inline constexpr ColorRef kButtonFaceColour = 0x8000000F;

// Fill and separator of one area of the box.
struct MessageBoxBand {
  int separatorStyle = MessageBoxSeparator::kNone;
  int separatorAlignment = MessageBoxAlign::kLeft;  // of the separator text
  TextRef separatorText;                            // drawn on the separator line
  int fillEffect = -1;                              // draw manager fill effect; negative: no fill
  ColorRef colourBegin = kButtonFaceColour;
  ColorRef colourMiddle = kButtonFaceColour;
  ColorRef colourEnd = kButtonFaceColour;
  friend bool operator==(const MessageBoxBand&, const MessageBoxBand&) = default;
};

// Everything a box can be told. Callers start from the defaults and change what
// they need; owner, message text, caption and style are always taken from the
// call's arguments.
struct MessageBoxParams {
  WindowHandle owner = nullptr;         // null: last active popup of the active window
  ModuleHandle stringModule = nullptr;  // null: the program's own module
  ModuleHandle iconModule = nullptr;    // null: the program's own module
  std::string caption;
  std::string rememberValueName;   // empty: answers are not remembered
  std::string rememberCompany;     // optional extra registry key level
  int rememberId = 0;              // appended to the remember value name
  unsigned int reportMessage = 0;  // window message the "Report" button sends to the owner; 0: no button
  MessageBoxBand background;       // only the fill effect and colours are used
  int headerHeight = 0;            // minimum header height in pixels; 0: no header
  TextRef headerText;
  MessageBoxBand headerBand;
  TextRef messageText;
  int buttonAlignment = MessageBoxAlign::kCentre;
  std::uint32_t style = MessageBoxStyle::kIconExclamation;
  MessageBoxBand buttonBand;
  TextRef moreText;  // non-empty adds "More >>"
  MessageBoxBand moreBand;
  int timeoutSeconds = 0;  // positive: the default button presses itself after this long
  int disableSeconds = 0;  // positive: the default button (or all, see next) starts disabled
  int countdownInCaption = 0;
  unsigned int helpContext = 0;
  TextRef userIcon;       // icon resource in iconModule, used with kIconUser
  TextRef customButtons;  // up to four captions separated by line feeds
  TextRef checkBoxText;   // empty: "Do not show again"
  const std::map<std::uint32_t, TextRef>* captionOverrides = nullptr;  // button id -> caption
  friend bool operator==(const MessageBoxParams&, const MessageBoxParams&) = default;
};

// Loads string resources; the Windows build reads the module's string table,
// tests supply their own.
class StringResources {
 public:
  virtual ~StringResources() = default;
  // The string with this id in the module (null: the program's own), or empty.
  virtual std::string Load(ModuleHandle module, std::uint32_t id) const = 0;
};

// A module without string resources.
class NoStringResources : public StringResources {
 public:
  std::string Load(ModuleHandle, std::uint32_t) const override { return {}; }
};

// Longest text taken from a string resource, in characters.
inline constexpr std::size_t kMaxResourceTextLength = 260;

// The text a reference stands for: its string, or the string resource loaded from
// the record's string module (cut to kMaxResourceTextLength), or empty when the
// record's style forbids resource texts.
std::string ResolveTextRef(TextRef ref, const MessageBoxParams& params, const StringResources& strings);

// Built-in caption of a button id (also of kCheckBox and kCountdownFormat), and
// the string resource that may replace it (0 when there is none).
std::string_view BuiltInCaption(std::uint32_t id);
std::uint32_t CaptionResourceId(std::uint32_t id);

// The caption rule: the record's override for exactly this id, else the string
// resource of the id (when resource texts are allowed), else defaultText when
// given, else the built-in caption.
std::string ButtonCaption(std::uint32_t id, const MessageBoxParams& params, const StringResources& strings,
                          const char* defaultText = nullptr);

// The window caption: the given caption, else the owner's window text, else "Error".
std::string WindowCaption(std::string_view caption, std::string_view ownerText);

// Custom button captions: carriage returns removed, split at line feeds, the
// first kMaxCustom non-empty pieces.
std::vector<std::string> SplitCustomButtons(std::string_view list);

// The buttons of a box in order, whether Escape and Close may end it, and which
// button is the default.
struct MessageBoxButtons {
  std::vector<std::uint32_t> ids;
  bool cancellable = false;
  std::size_t defaultIndex = 0;
};

// customCount: custom captions (SplitCustomButtons); hasReport: a report
// message and an owner; hasMore: a non-empty more text. A set number the table
// does not know (10 to 15) gives the OK set, so that the box can always be ended;
// so does a custom list without a single caption.
MessageBoxButtons ChooseButtons(std::uint32_t style, std::size_t customCount, bool hasReport, bool hasMore);

// The record the box works from: the defaults, the caller's record over them when
// given, then owner, text, caption and style from the arguments.
MessageBoxParams CompleteMessageBoxParams(WindowHandle owner, TextRef text, const char* caption, std::uint32_t style,
                                          const MessageBoxParams* params);

// Asks the user. Returns the id of the button that ended the box, possibly with
// MessageBoxStyle::kChecked, or kCancel (2) when no box could be shown.
std::uint32_t RichMessageBox(WindowHandle owner, TextRef text, const char* caption, std::uint32_t style,
                             const MessageBoxParams* params);

// For tests and automation: when set, every call first hands its completed record
// to the hook; an answer from the hook is returned at once (no sound, no window),
// std::nullopt lets the box be shown as usual. Returns the previous hook. Set it
// from the thread that calls the box, before the calls.
using MessageBoxAnswerHook = std::function<std::optional<std::uint32_t>(const MessageBoxParams&)>;
MessageBoxAnswerHook SetMessageBoxAnswerHook(MessageBoxAnswerHook hook);

// The part of the call that every platform shares: the hook, then show (null:
// nothing can be shown, the answer is kCancel).
using MessageBoxShow = std::uint32_t (*)(const MessageBoxParams& completed);
std::uint32_t AnswerMessageBox(const MessageBoxParams& completed, MessageBoxShow show);

}  // namespace tessel
