#include "app/recovery_wizard_dlg.h"

#include <commctrl.h>
#include <shellapi.h>

#include <array>

#include "app/product.h"
#include "app/scan_state.h"
#include "app/shell_open.h"
#include "app/link_pages.h"
#include "framework/background.h"
#include "framework/module.h"
#include "res/resource.h"

namespace {
// The system's own commands keep their low four bits.
constexpr UINT kSystemCommandMask = 0xFFF0;
constexpr char kFilePrefixMenuText[] = "File name prefix...";

// The link buttons in the order of LinkButtons().
// Their pictures are drawn twice as large, for every scale.
// Each has a name as window text, for screen readers: its picture is its only face.
struct LinkButton {
  int id;
  UINT picture;
  const char* tip;
  const char* name;
};
constexpr std::array<LinkButton, 5> kLinkButtons = {{
    {IDC_LINK_HOME, IDB_LINK_HOME_LARGE, "Click here to visit software homepage", "Home"},
    {IDC_LINK_SUPPORT, IDB_LINK_SUPPORT_LARGE, "Click here for online software support", "Support"},
    {IDC_LINK_HELP, IDB_LINK_HELP_LARGE, "Click here for online help", "Help"},
    {IDC_LINK_ABOUT, IDB_LINK_ABOUT_LARGE, "Click here for software information", "About"},
    {IDC_LINK_BUY, IDB_LINK_BUY_LARGE, "Click here to buy the software", "Buy now"},
}};
}  // namespace

CRecoveryWizardDlg::CRecoveryWizardDlg(CWnd* parent)
    : CPictureDialog(IDD_RECOVERY_WIZARD, IDB_CHOOSE_BACKGROUND, parent) {
  m_hIcon = ::LoadIconA(framework::ResourceModule(), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

CRecoveryWizardDlg::~CRecoveryWizardDlg() { UnpublishWizard(this); }

void CRecoveryWizardDlg::BindControls() {
  m_choose.Bind(*this);
  m_results.Bind(*this);
  m_move.Bind(*this);
  const std::array<CHoverButton*, 5> links = LinkButtons();
  for (size_t i = 0; i < links.size(); ++i) links[i]->SubclassDlgItem(kLinkButtons[i].id, *this);
  m_prgScan.SubclassDlgItem(IDC_PROGRESS, *this);
  m_btnStop.SubclassDlgItem(IDC_STOP, *this);
  m_btnBack.SubclassDlgItem(IDC_BACK, *this);
  m_lblInstruction.SubclassDlgItem(IDC_INSTRUCTION, *this);
  m_lblVersion.SubclassDlgItem(IDC_VERSION, *this);
}

BOOL CRecoveryWizardDlg::OnInitDialog() {
  CPictureDialog::OnInitDialog();
  ShareStepState(m_steps);
  PublishWizard(this);

  AddAboutToSystemMenu();
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  m_results.SetUp(*this, [this](int row) { OnListMenuKey(row); });
  m_nColumnsDpi = Dpi();
  m_move.SetUp(*this);
  m_choose.SetUp();
  // Names for screen readers, which these controls do not show.
  m_prgScan.SetWindowText("Progress");
  m_move.Inputs().SetWindowText("Stores and address books");

  m_strFilePrefix = "MailRec";
  m_results.ShowFilePrefix(m_strFilePrefix);
  // A store, index, address book or folder dropped on the window starts as its Proceed would.
  ::DragAcceptFiles(m_hWnd, TRUE);
  // Not the current folder: a shortcut or a file manager may start the
  // program from anywhere, and the help file is installed beside it.
  m_strProgramDir = framework::ProgramFolder();

  SetUpLinkButtons();
  m_lblVersion.SetWindowText("Version " TESSEL_VERSION);
  return TRUE;
}

void CRecoveryWizardDlg::AddAboutToSystemMenu() {
  std::string about = framework::LoadResourceString(IDS_ABOUTBOX);
  HMENU menu = ::GetSystemMenu(m_hWnd, FALSE);
  if (!menu || about.empty()) return;
  ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, about.c_str());
  // The prefix setting has no control of its own in the window.
  ::AppendMenuA(menu, MF_STRING, IDM_FILE_PREFIX, kFilePrefixMenuText);
}

void CRecoveryWizardDlg::SetUpLinkButtons() {
  const std::array<CHoverButton*, 5> links = LinkButtons();
  for (size_t i = 0; i < links.size(); ++i) {
    const LinkButton& link = kLinkButtons[i];
    CHoverButton& button = *links[i];
    button.SetWindowText(link.name);
    HBITMAP face = framework::LoadPictureForDpi(link.picture, Dpi());
    // High contrast: the link's picture in the system's colours, as the window's.
    if (HBITMAP plain = face && framework::HighContrastOn() ? framework::InSystemColours(face) : nullptr) {
      ::DeleteObject(face);
      face = plain;
    }
    button.SetFaceBitmap(face);
    button.EnableLinkCursor(link.tip);
    button.SetTipText(link.tip, true);
  }
}

void CRecoveryWizardDlg::OnDpiChanged() {
  SetUpLinkButtons();
  m_results.SetUpRowIcons(*this);
  // Both lists' columns were made at the same DPI.
  for (CListCtrl* list : {static_cast<CListCtrl*>(&m_results.List()), &m_move.Inputs()}) {
    for (int column = list->GetHeaderItemCount() - 1; column >= 0; --column) {
      const int width = static_cast<int>(list->SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
      list->SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), ::MulDiv(width, Dpi(), m_nColumnsDpi));
    }
  }
  m_nColumnsDpi = Dpi();
}

bool CRecoveryWizardDlg::OnPaint() {
  if (!::IsIconic(m_hWnd)) return false;
  framework::PaintDC dc(m_hWnd);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()));
  int iconWidth = ::GetSystemMetrics(SM_CXICON);
  int iconHeight = ::GetSystemMetrics(SM_CYICON);
  RECT client = GetClientRect();
  int x = (client.right - client.left - iconWidth + 1) / 2;
  int y = (client.bottom - client.top - iconHeight + 1) / 2;
  if (m_hIcon) ::DrawIcon(dc.get(), x, y, m_hIcon);
  return true;
}

bool CRecoveryWizardDlg::OnSysCommand(UINT id, LPARAM) {
  switch (id & kSystemCommandMask) {
    case IDM_ABOUTBOX:
      OnAbout();
      return true;
    case IDM_FILE_PREFIX:
      OnSettings();
      return true;
    default:
      return false;
  }
}

BOOL CRecoveryWizardDlg::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
    // Straight to the focused control: neither key presses a button or
    // closes the window.
    return FALSE;
  }
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1) {
    OnHelp();
    return TRUE;
  }
  return CPictureDialog::PreTranslateMessage(msg);
}

bool CRecoveryWizardDlg::OnCommand(UINT id, UINT code, HWND) {
  switch (id) {
    case IDC_PROCEED_STORE:
      OnProceedStore();
      return true;
    case IDC_PROCEED_ADDRESS_BOOK:
      OnProceedAddressBook();
      return true;
    case IDC_PROCEED_IDENTITY:
      OnProceedIdentity();
      return true;
    case IDC_STOP:
      OnStop();
      return true;
    case IDC_BACK:
      OnBack();
      return true;
    case IDC_SAVE:
      OnSave();
      return true;
    case IDC_SELECT_ALL:
      OnSelectAllCheck();
      return true;
    case IDC_SEARCH:
      if (code == EN_CHANGE) OnSearchChanged();
      return true;
    case ID_PREVIEW_MAIL:
      OnPreview();
      return true;
    case ID_VIEW_MESSAGE:
      OnViewMessage();
      return true;
    case IDC_LINK_HOME:
      if (HasHomePage())
        OpenWebPage(m_hWnd, kHomePageUrl);
      else
        OpenHelpPage(kOverviewHelpPage);
      return true;
    case IDC_LINK_SUPPORT:
      OpenHelpPage(kSupportHelpPage);
      return true;
    case IDC_LINK_HELP:
      OnHelp();
      return true;
    case IDC_LINK_BUY:
      OpenHelpPage(kFreeOfChargeHelpPage);
      return true;
    case IDC_LINK_ABOUT:
    case ID_ABOUT:
      OnAbout();
      return true;
    case ID_HELP_FILE:
      OnHelp();
      return true;
    case IDC_BROWSE:
    case IDC_BROWSE_ALT:
    case ID_BROWSE:
      OnBrowse();
      return true;
    case IDC_SETTINGS:
    case ID_SETTINGS:
      OnSettings();
      return true;
    case IDC_LIVE_UPDATE:
    case ID_LIVE_UPDATE:
      OnLiveUpdate();
      return true;
    case ID_EXIT:
    case ID_EXIT_ALT:
      OnClose();
      return true;
    // Only the keyboard could raise these, and the window passes Enter and
    // Escape over; the window never ends through them.
    case IDOK:
    case IDCANCEL:
      return true;
    default:
      return false;
  }
}
