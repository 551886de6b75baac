#pragma once

// Resource ids shared by rigsheet.rc and the code.
#define IDI_RIGSHEET 128
#define IDD_RIGSHEET 102
#define IDR_HTML_PAGE 104
#define IDR_HTML_LIBRARY 130
#define IDR_HTML_SCRIPT 131
