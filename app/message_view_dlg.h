// CMessageViewDlg: a message read for a person, without any mail program
// (template IDD_MESSAGE_VIEW), titled with its Subject: From, To, Cc, Date
// and Subject, the text of its body in a read-only edit control that can be
// scrolled and selected, and its attachments, each of which Save attachment
// writes decoded where the user chooses. "Open in mail program" and "Save
// message" are the wizard's Preview and Save of the row, which the window
// hands in. Every text is UTF-16 in wide controls, so any script shows. The
// window lays its controls out for its size and its DPI, and again when
// either changes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "recovery/readable_message.h"
#include "win32_base/gdi_handles.h"

class CMessageViewDlg : public CDialog {
 public:
  // `message` must outlive the dialog; the files of `inputs` (the store and
  // its index) are never written.
  CMessageViewDlg(const tessel::recovery::ReadableMessage& message, std::vector<std::string> inputs,
                  CWnd* parent = nullptr);
  const char* GetRuntimeClassName() const override { return "CMessageViewDlg"; }

  // What the view lacks of the message (the store ends inside it, say), shown
  // above its text; empty when nothing.
  std::string note;
  // "Open in mail program" and "Save message...": the wizard's own for the row.
  std::function<void()> onOpenInMailProgram;
  std::function<void()> onSaveMessage;

  // The window's caption: the Subject, or this when there is none.
  static constexpr char kNoSubject[] = "(no subject)";
  // The title of the chooser Save attachment opens.
  static constexpr char kSaveAttachmentTitle[] = "Save attachment";

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  bool OnClose() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  // A font and the controls' places for `m_nDpi` and the client area's size.
  void ApplyDpi();
  void Layout();
  int Scale(int value) const;
  // Asks where to write the chosen attachment and writes it decoded.
  void SaveAttachment();

  const tessel::recovery::ReadableMessage& m_message;
  std::vector<std::string> m_inputs;
  int m_nDpi = 96;
  framework::UniqueFont m_hFont;
  framework::UniqueFont m_hBodyFont;
};
