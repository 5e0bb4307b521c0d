// The wizard's questions and notices: every one goes through RichMessageBox
// with no owner and the wizard's background band; only text, style and, for
// a few, the caption differ.
#pragma once

#include <cstdint>
#include <string>

#include "app/product.h"
#include "msgbox/message_box_call.h"
#include "recovery/notice_lines.h"

// Information icon and OK.
inline constexpr std::uint32_t kNoticeStyle = tessel::MessageBoxStyle::kIconInformation | tessel::MessageBoxStyle::kOk;
// Error icon and OK: a notice of something that went wrong.
inline constexpr std::uint32_t kErrorStyle = tessel::MessageBoxStyle::kIconStop | tessel::MessageBoxStyle::kOk;
// Question icon, Yes and No.
inline constexpr std::uint32_t kQuestionStyle =
    tessel::MessageBoxStyle::kIconQuestion | tessel::MessageBoxStyle::kYesNo;

// The record every wizard box uses: the defaults but a pale yellow band behind
// the whole box.
tessel::MessageBoxParams WizardMessageBoxParams();

using tessel::recovery::FolderLink;

std::uint32_t WizardMessageBox(const char* text, std::uint32_t style, const char* caption = kProductTitle);
