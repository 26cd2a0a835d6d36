#include "ui/GdiPlus.h"

namespace {

class TGdiPlusSession {
 public:
  TGdiPlusSession() {
    const Gdiplus::GdiplusStartupInput input;
    FStarted = Gdiplus::GdiplusStartup(&FToken, &input, nullptr) == Gdiplus::Ok;
  }
  TGdiPlusSession(const TGdiPlusSession&) = delete;
  TGdiPlusSession& operator=(const TGdiPlusSession&) = delete;
  ~TGdiPlusSession() {
    if (FStarted) Gdiplus::GdiplusShutdown(FToken);
  }

  bool Started() const { return FStarted; }

 private:
  ULONG_PTR FToken = 0;
  bool FStarted = false;
};

}  // namespace

bool GdiPlusReady() {
  static const TGdiPlusSession session;
  return session.Started();
}
