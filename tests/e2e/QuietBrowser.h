#pragma once

// While it lives, Wine's browser setting points at a program that does nothing: a test may
// let the program open a link (an accepted update does) without a browser starting.
class TQuietBrowser {
 public:
  TQuietBrowser();
  ~TQuietBrowser();
  TQuietBrowser(const TQuietBrowser&) = delete;
  TQuietBrowser& operator=(const TQuietBrowser&) = delete;
};
