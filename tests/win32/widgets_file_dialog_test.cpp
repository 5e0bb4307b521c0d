// The file dialog classes without showing a dialog: the filter syntax, the
// walk over chosen files, and the multi-selection kept when it outgrows the
// file-name buffer.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "win32_base/wide_path.h"
#include "widgets/fec_file_dialog.h"
#include "widgets/ot_file_dialog.h"

namespace {

std::vector<std::string> AllPaths(CFileDialog& dialog) {
  std::vector<std::string> paths;
  for (POSITION position = dialog.GetStartPosition(); position && paths.size() < 100;)
    paths.push_back(dialog.GetNextPathName(position));
  return paths;
}

// Puts `text` (UTF-8, with its zeros) into the dialog's file-name buffer, as
// the wide dialog leaves it.
void SetChosen(CFileDialog& dialog, const std::string& text) {
  const std::wstring wide = tessel::WidePath(text);
  ASSERT_LT(wide.size(), dialog.m_ofn.nMaxFile);
  std::memcpy(dialog.m_ofn.lpstrFile, wide.data(), wide.size() * sizeof(wchar_t));
}

TEST(FileDialogTest, BarsBecomeZerosWithTheSpacesOfTheDescriptionsKept) {
  std::string filter = FilterFromBars("IncrediMail(*.imm)|*.imm| All Files(*.*)|*.*||");
  EXPECT_EQ(filter, std::string("IncrediMail(*.imm)\0*.imm\0 All Files(*.*)\0*.*\0\0\0\0", 48));
}

TEST(FileDialogTest, COTFileDialogPassesItsArgumentsOnUnchanged) {
  COTFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "IncrediMail addressbook(*.imb)|*.imb| All Files(*.*)|*.*||");
  EXPECT_STREQ(dialog.GetRuntimeClassName(), "COTFileDialog");
  EXPECT_TRUE(dialog.m_ofn.Flags & OFN_HIDEREADONLY);
  EXPECT_TRUE(dialog.m_ofn.Flags & OFN_OVERWRITEPROMPT);
  EXPECT_EQ(dialog.m_ofn.lpstrDefExt, nullptr);
  EXPECT_EQ(dialog.m_ofn.nFilterIndex, 1u);
  EXPECT_STREQ(dialog.m_ofn.lpstrFile, L"");
  dialog.SetTitle("Select IncrediMail addressbook file for recovery...");
  dialog.SetInitialDir("C:\\Data\\Identities\\ID1\\");
  EXPECT_STREQ(dialog.m_ofn.lpstrTitle, L"Select IncrediMail addressbook file for recovery...");
  EXPECT_STREQ(dialog.m_ofn.lpstrInitialDir, L"C:\\Data\\Identities\\ID1\\");
  EXPECT_STREQ(dialog.m_ofn.lpstrFilter, L"IncrediMail addressbook(*.imb)");
}

// Paths come back as UTF-8 whatever the system code page.
TEST(FileDialogTest, OneChosenFileIsItsFullPath) {
  CFileDialog dialog(TRUE);
  SetChosen(dialog, std::string("C:\\Почта\\Inbox.imm\0", 24));
  EXPECT_EQ(AllPaths(dialog), (std::vector<std::string>{"C:\\Почта\\Inbox.imm"}));
  EXPECT_EQ(dialog.GetPathName(), "C:\\Почта\\Inbox.imm");
}

TEST(FileDialogTest, SeveralChosenFilesAreTheFolderAndEachName) {
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
  SetChosen(dialog, std::string("C:\\mail\0a.dbx\0b.dbx\0\0", 22));
  EXPECT_EQ(AllPaths(dialog), (std::vector<std::string>{"C:\\mail\\a.dbx", "C:\\mail\\b.dbx"}));
  SetChosen(dialog, std::string("C:\\Σ\0α.dbx\0😀.dbx\0\0", 23));
  EXPECT_EQ(AllPaths(dialog), (std::vector<std::string>{"C:\\Σ\\α.dbx", "C:\\Σ\\😀.dbx"}));
  SetChosen(dialog, std::string("C:\\\0a.dbx\0b.dbx\0\0", 18));
  EXPECT_EQ(AllPaths(dialog), (std::vector<std::string>{"C:\\a.dbx", "C:\\b.dbx"}));
}

TEST(FECFileDialogTest, KeepsALongSelectionAndWalksItsNames) {
  CFECFileDialog dialog(TRUE, nullptr, nullptr, OFN_EXPLORER | OFN_ALLOWMULTISELECT, "IncrediMail File(*.dbx)|*.dbx|");
  dialog.SetFileBufferSize(10);
  dialog.KeepSelectionIfTooLong("\"first.dbx\" \"second.dbx\" \"third.dbx\"", "C:\\Mail Folder");
  EXPECT_EQ(AllPaths(dialog), (std::vector<std::string>{"C:\\Mail Folder\\first.dbx", "C:\\Mail Folder\\second.dbx",
                                                        "C:\\Mail Folder\\third.dbx"}));
  // Converted once: a second walk gives the same names.
  EXPECT_EQ(AllPaths(dialog).size(), 3u);
}

TEST(FECFileDialogTest, ALongSingleNameKeepsAllItsCharacters) {
  CFECFileDialog dialog(TRUE);
  dialog.SetFileBufferSize(8);
  dialog.KeepSelectionIfTooLong("a rather long name.dbx", "C:\\");
  EXPECT_EQ(AllPaths(dialog), (std::vector<std::string>{"C:\\a rather long name.dbx"}));
}

TEST(FECFileDialogTest, ASelectionThatFitsUsesTheDialogsOwnBuffer) {
  CFECFileDialog dialog(TRUE);
  dialog.KeepSelectionIfTooLong("\"a\" \"b\" \"c\" \"d\" \"e\" \"f\"", std::string(300, 'x'));
  dialog.KeepSelectionIfTooLong("Inbox.imm", "C:\\mail");
  SetChosen(dialog, std::string("C:\\mail\\Inbox.imm\0", 19));
  EXPECT_EQ(AllPaths(dialog), (std::vector<std::string>{"C:\\mail\\Inbox.imm"}));
}

TEST(FECFileDialogTest, AnEmptySelectionWalksNothing) {
  CFECFileDialog dialog(TRUE);
  dialog.SetFileBufferSize(1);
  dialog.KeepSelectionIfTooLong("\"\"", "C:\\mail");
  EXPECT_TRUE(AllPaths(dialog).empty());
}

}  // namespace
