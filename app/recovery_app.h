// CRecoveryApp: the application object. It runs the wizard window modally;
// the process ends through the window's exit or live-update command.
#pragma once

#include "framework/win_app.h"

class CRecoveryApp : public CWinApp {
 protected:
  BOOL InitInstance() override;
};
