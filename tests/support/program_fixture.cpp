#include "support/program_fixture.h"

#include "platform/files.h"
#include "platform/profile.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "shell/program_start.h"

namespace qm::testing {

void ProgramFixture::SetUp() {
  GlobalState::ResetAll();
  PlatformFixture::SetUp();
  // Closing a changed script would offer its backup on drive A: the tests
  // that ask for it say so.
  ProfileWriteString(SettingsFilePath(), "Save/Retrieve", "Floppy Backup", "0");
  for (const auto& s : InitialSettings) ProfileWriteString(SettingsFilePath(), s.section, s.key, s.value);
  CommandLine = Arguments;
  BeforeStart();
  started_ = StartProgram();
}

void ProgramFixture::TearDown() {
  // The scripts go without their save prompts: a test ends, not the user.
  while (DocumentCount > 0) {
    TMDIChild* script = Documents[DocumentCount];
    RemoveDocument(script);
    delete script;
  }
  FinishProgram();
  PlatformFixture::TearDown();
  GlobalState::ResetAll();
}

TMDIChild& ProgramFixture::Script() { return *ActiveScript(); }

}  // namespace qm::testing
