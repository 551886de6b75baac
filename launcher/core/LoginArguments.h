#pragma once

// The seven texts of the page's login call, argument 1 at Values[0], in script order.
// They belong to the script engine and are valid only while UM_PAGE_LOGIN is handled.
constexpr int kLoginArgumentCount = 7;

struct LoginArguments {
  const wchar_t* Values[kLoginArgumentCount];
};
