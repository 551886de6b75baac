#pragma once

#include "winlib/App_win.h"

// The quotation tool's application: runs its one dialog modally, then ends.
class CRigsheetApp : public winlib::App {
 protected:
  bool InitInstance() override;
};
