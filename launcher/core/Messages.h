#pragma once

// The launcher window's interface: other threads, the login page and the game client
// reach it only through these numbers, so they never change.
constexpr unsigned kWmUser = 0x0400;
constexpr unsigned PrivateMessage(unsigned k) { return kWmUser + 102 + 17 * k; }

constexpr unsigned UM_STORE_TEXT = PrivateMessage(0);      // lParam: text or null
constexpr unsigned UM_CLIENT_PROCESS = PrivateMessage(1);  // lParam: client process id
constexpr unsigned UM_LAUNCH_CLIENT = PrivateMessage(2);
constexpr unsigned UM_LOGIN_PAGE = PrivateMessage(3);      // lParam: 0 hide, 1 open, 2 client ended
constexpr unsigned UM_PAGE_LOGIN = PrivateMessage(4);      // lParam: the seven login strings (sent)
constexpr unsigned UM_RUN_UPDATE = PrivateMessage(5);      // wParam: 0 launcher check, 1 client check
constexpr unsigned UM_ITEM_PROGRESS = PrivateMessage(6);   // wParam: item index, lParam: percent
constexpr unsigned UM_ITEM_DONE = PrivateMessage(7);       // lParam: finished item (sent)
constexpr unsigned UM_TOTAL_PROGRESS = PrivateMessage(8);  // wParam: received, lParam: total
constexpr unsigned UM_QUEUE_DONE = PrivateMessage(9);      // lParam: 1 when every item succeeded

static_assert(UM_STORE_TEXT == 1126 && UM_QUEUE_DONE == 1279, "message numbers are fixed");

constexpr unsigned kLoginPageHide = 0;
constexpr unsigned kLoginPageOpen = 1;
constexpr unsigned kLoginPageClientEnded = 2;

constexpr unsigned kClientWatchTimer = 1;        // every 1000 ms while the game client runs
constexpr unsigned kClientWatchPeriodMs = 1000;
constexpr unsigned kConnectionPollTimer = 2;     // every 500 ms while offline
constexpr unsigned kConnectionPollPeriodMs = 500;

// Command ids shared by the buttons and the resources.
constexpr int kCmdClose = 144;
constexpr int kCmdMinimize = 145;
constexpr int kCmdFileBar = 147;
constexpr int kCmdTotalBar = 150;
constexpr int kCmdService = 151;
constexpr int kCmdPay = 152;
constexpr int kCmdHome = 153;
constexpr int kCmdForum = 154;
