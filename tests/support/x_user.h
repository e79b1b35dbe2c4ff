// A user at the keyboard and mouse of the X display: key presses and clicks through the X
// server's test extension, which the window system delivers as it does a person's. Use it from
// one thread only; it has its own connection to the display ($DISPLAY). While it lives, keys do
// not repeat on that display.
#pragma once

#include <memory>
#include <string>

namespace torvane::testing {

class XUser {
 public:
  XUser();
  ~XUser();
  XUser(const XUser&) = delete;
  XUser& operator=(const XUser&) = delete;
  bool ready() const;

  // A key by its X name ("g", "Escape", "Tab", "Return"), with Alt and Shift held if asked.
  void Key(const char* name, bool alt = false, bool shift = false);
  // Letters (capitals with Shift) and digits.
  void Type(const std::string& text);
  // The left button at a point of the screen.
  void Click(int x, int y);
  // The window that has the keyboard now, as the X server says.
  unsigned long FocusWindow() const;

 private:
  struct Connection;
  std::unique_ptr<Connection> connection_;
};

}  // namespace torvane::testing
