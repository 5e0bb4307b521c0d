// Shows a set of message boxes one after another and saves each, frame and
// all, as a 32-bit BMP picture in a folder (the first argument, else the
// current one): notices and questions as the wizard asks them, header and More
// areas with separators in the three alignments, custom buttons, countdowns,
// the check box, and entities and UTF-8 text. A second thread waits for each
// box, photographs it and presses its first button.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "msgbox/message_box_call.h"
#include "draw/pixel_image.h"
#include "draw_win32/gdi_dib.h"
#include "draw_win32/gdi_image.h"

namespace {

using namespace tessel;
namespace B = MessageBoxButton;
namespace S = MessageBoxStyle;

struct GalleryBox {
  const char* file;
  const char* caption;
  const char* text;
  std::uint32_t style;
  MessageBoxParams params;
  bool expand = false;  // press More before the picture
};

MessageBoxParams WizardBand() {
  MessageBoxParams params;
  params.background = {0, 2, TextRef(), 12, 0x86FDF7, 0xFFFFFF, 0x86FDF7};
  return params;
}

std::vector<GalleryBox> Boxes() {
  std::vector<GalleryBox> boxes;
  boxes.push_back({"01-notice", "Oxbrim Tessel IncrediMail", "Please select files for save", 0x40, WizardBand()});
  boxes.push_back(
      {"02-question", "Oxbrim Tessel IncrediMail - exit", "Do you really want to exit ?", 0x24, WizardBand()});

  MessageBoxParams left;
  left.headerHeight = 40;
  left.headerText = "<b>Recovery finished</b>";
  left.headerBand = {1, 0, "Summary", 4, 0xFFFFFF, 0xF0D8C0, 0xFFFFFF};
  left.buttonAlignment = 0;
  left.buttonBand = {1, 0, "Your choice", -1};
  left.moreText = "Index entries: 10<br>Found by searching: 13<br>Stray entries: 2";
  left.moreBand = {1, 0, "Details", 2, 0xF8F8F8, 0xE0E0E0, 0xE0E0E0};
  boxes.push_back({"03-separators-left", "Separators at the left", "Found <b>23</b> messages in <i>Inbox.imm</i>.",
                   S::kOkCancel | S::kIconInformation, left});
  boxes.push_back({"04-more-expanded", "More, expanded", "Found <b>23</b> messages in <i>Inbox.imm</i>.",
                   S::kOkCancel | S::kIconInformation, left, true});

  MessageBoxParams right;
  right.headerHeight = 36;
  right.headerText = "<right>Overwrite existing files?</right>";
  right.headerBand = {2, 1, "Files", 1, 0xFFFFFF, 0xFFFFFF, 0xF4E4D4};
  right.buttonAlignment = 1;
  right.buttonBand = {2, 1, "Answer", 0, 0xF4F4F4, 0, 0};
  boxes.push_back({"05-separators-right", "Separators at the right",
                   "The folder already holds <b>MailRec0001.eml</b>.\nReplace it?",
                   S::kYesNoCancel | S::kYesToAll | S::kIconQuestion, right});

  MessageBoxParams centre = WizardBand();
  centre.headerHeight = 36;
  centre.headerText = "<center>Choose what to keep</center>";
  centre.headerBand = {3, 2, "Damaged store", 2, 0xA0D0F0, 0xFFFFFF, 0xFFFFFF};
  centre.buttonBand = {3, 2, "Keep", 2, 0xFFFFFF, 0xFFFFFF, 0xA0D0F0};
  centre.customButtons = "Keep all\nKeep checked\nDiscard";
  boxes.push_back({"06-separators-centre", "Separators in the centre",
                   "Some records of <i>Inbox.imm</i> are cut short.\nThey can be kept as they are.",
                   S::kIconExclamation, centre});

  MessageBoxParams timed = WizardBand();
  timed.timeoutSeconds = 5;
  boxes.push_back({"07-countdown-button", "Countdown on the button", "The scan is done; this closes by itself.",
                   S::kIconInformation, timed});

  MessageBoxParams held = WizardBand();
  held.disableSeconds = 3;
  held.countdownInCaption = 1;
  boxes.push_back({"08-countdown-caption", "Please read", "Saving replaces the files in the target folder.",
                   S::kOkCancel | S::kHelp | S::kIconStop, held});

  MessageBoxParams checked = WizardBand();
  checked.buttonBand = {1, 2, TextRef(), -1};
  boxes.push_back({"09-check-box", "With a check box",
                   "Links open in your browser: <a href=\"http://example.org/\">example.org</a>",
                   S::kYesNo | S::kIconQuestion | S::kCheckBox | S::kHelp, checked});

  boxes.push_back({"10-entities", "Entities and UTF-8: Почта",
                   "&copy; 2026 Oxbrim &bull; Tessel&trade; &reg;<br>&pound; 12 &para; &iquest;Qué? "
                   "&quot;quoted&quot; &lt;b&gt;<br>Folder: <b>Почта</b> 😀",
                   0x40, WizardBand()});
  return boxes;
}

// The whole window, frame and caption included, as the screen shows it.
PixelImage Photograph(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  HDC dc = GetWindowDC(window);
  PixelImage image(rect.right - rect.left, rect.bottom - rect.top, 0);
  {
    GdiDib dib(dc, image.Width(), image.Height());
    if (dib.ok()) {
      BitBlt(dib.dc(), 0, 0, image.Width(), image.Height(), dc, 0, 0, SRCCOPY);
      image = dib.Load();
    }
  }
  ReleaseDC(window, dc);
  return image;
}

HWND FirstPushButton(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const LONG type = GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) return child;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? std::string(argv[1]) + "\\" : std::string();
  int saved = 0;
  for (GalleryBox& box : Boxes()) {
    std::atomic<bool> returned{false};
    const std::string path = folder + box.file + ".bmp";
    std::thread photographer([&] {
      HWND window = nullptr;
      for (int i = 0; i < 500 && !returned && !window; ++i) {
        // A caption that counts down changes; the box is the only dialog of the process.
        window = FindWindowA("#32770", nullptr);
        if (!window || !IsWindowVisible(window)) {
          window = nullptr;
          std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
      }
      if (!window) return;
      if (box.expand) SendMessageA(window, WM_COMMAND, MAKEWPARAM(B::kMore, BN_CLICKED), 0);
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
      std::this_thread::sleep_for(std::chrono::milliseconds(300));  // let the frame and buttons settle on screen
      if (SaveBmpFile(Photograph(window), path)) ++saved;
      HWND button = FirstPushButton(window);
      PostMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    });
    RichMessageBox(nullptr, box.text, box.caption, box.style | S::kNoSound, &box.params);
    returned = true;
    photographer.join();
  }
  std::printf("%d pictures saved\n", saved);
  return saved == static_cast<int>(Boxes().size()) ? 0 : 1;
}
