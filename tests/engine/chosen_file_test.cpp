// What a chosen path is: the one answer the scan, the command line and the
// wizard go by.
#include <gtest/gtest.h>

#include "engine/chosen_file.h"
#include "tests/support/scratch_folder.h"

namespace tessel {
namespace {

TEST(ChosenFile, StoresIndexesAndAddressBooksByName) {
  const ChosenFile store = ResolveChosenFile("/mail/Inbox.IMM");
  EXPECT_EQ(store.kind, FileKind::kStore);
  EXPECT_EQ(store.storePath, "/mail/Inbox.IMM");
  EXPECT_EQ(ResolveChosenFile("ximm").kind, FileKind::kStore);  // the last three characters, no dot needed

  const ChosenFile index = ResolveChosenFile("/mail/Inbox.imh");
  EXPECT_EQ(index.kind, FileKind::kIndex);
  EXPECT_EQ(index.path, "/mail/Inbox.imh");
  EXPECT_EQ(index.storePath, "/mail/Inbox.imm");
  EXPECT_EQ(ResolveChosenFile("mm").kind, FileKind::kIndex);

  const ChosenFile book = ResolveChosenFile("C:\\Data\\Contacts.IMB");
  EXPECT_EQ(book.kind, FileKind::kAddressBook);
  EXPECT_EQ(book.storePath, "");
  EXPECT_EQ(ResolveChosenFile("imb").kind, FileKind::kIndex);  // ".imb" with its dot
}

TEST(ChosenFile, TheStoreBesideAnIndexReplacesOnlyTheFilesExtension) {
  EXPECT_EQ(ResolveChosenFile("C:\\Mail.Box\\Inbox.imh").storePath, "C:\\Mail.Box\\Inbox.imm");
  EXPECT_EQ(ResolveChosenFile("/home/u/mail.d/Inbox.IMH").storePath, "/home/u/mail.d/Inbox.imm");
  EXPECT_EQ(ResolveChosenFile("/home/u/mail.d/Inbox").storePath, "/home/u/mail.d/Inbox.imm");
  EXPECT_EQ(ResolveChosenFile("Inbox").storePath, "Inbox.imm");
  EXPECT_EQ(ResolveChosenFile("Inbox.").storePath, "Inbox.imm");
}

TEST(ChosenFile, WhatTheUserChoseItAsOverridesTheName) {
  const ChosenFile bookAsMail = ResolveChosenFile("Contacts.imb", ChosenAs::kMessageStore);
  EXPECT_EQ(bookAsMail.kind, FileKind::kIndex);
  EXPECT_EQ(bookAsMail.storePath, "Contacts.imm");
  EXPECT_EQ(ResolveChosenFile("Inbox.imm", ChosenAs::kMessageStore).kind, FileKind::kStore);

  const ChosenFile storeAsBook = ResolveChosenFile("Inbox.imm", ChosenAs::kAddressBook);
  EXPECT_EQ(storeAsBook.kind, FileKind::kAddressBook);
  EXPECT_EQ(storeAsBook.storePath, "");
}

TEST(ChosenFile, RawBytesAreAStoreWhateverTheName) {
  const ChosenFile chk = ResolveChosenFile("FILE0001.CHK", ChosenAs::kStoreBytes);
  EXPECT_EQ(chk.kind, FileKind::kStore);
  EXPECT_EQ(chk.storePath, "FILE0001.CHK");
}

// A file system that tells case apart: the store the rule names is missing,
// the one beside it differs only in case.
TEST(ChosenFile, TheStoreIsFoundWhateverItsLetterCase) {
  testing::ScratchFolder scratch;
  scratch.Write("INBOX.IMH", "index");
  scratch.Write("INBOX.IMM", "store");
  scratch.Write("Sent.imh", "index");
  scratch.Write("Sent.imm", "store");
  EXPECT_EQ(ResolveChosenFile(scratch.Root() + "/INBOX.IMH").storePath, scratch.Root() + "/INBOX.IMM");
  EXPECT_EQ(ResolveChosenFile(scratch.Root() + "/Sent.imh").storePath, scratch.Root() + "/Sent.imm");
  // No store in any case: the rule's name stays, for the error to name.
  EXPECT_EQ(ResolveChosenFile(scratch.Root() + "/Drafts.IMH").storePath, scratch.Root() + "/Drafts.imm");
}

}  // namespace
}  // namespace tessel
