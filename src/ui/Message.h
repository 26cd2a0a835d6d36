#pragma once

#include <windows.h>

// One window message on its way through a form's message handling.
struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};
