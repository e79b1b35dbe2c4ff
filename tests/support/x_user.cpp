#include "support/x_user.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <thread>

namespace torvane::testing {

using namespace std::chrono_literals;

struct XUser::Connection {
  Display* display = nullptr;

  void Press(KeySym key, bool down) const {
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, key), down ? True : False, CurrentTime);
    XSync(display, False);
    std::this_thread::sleep_for(10ms);
  }
  void Stroke(KeySym key, bool alt, bool shift) const {
    if (alt) Press(XK_Alt_L, true);
    if (shift) Press(XK_Shift_L, true);
    Press(key, true);
    Press(key, false);
    if (shift) Press(XK_Shift_L, false);
    if (alt) Press(XK_Alt_L, false);
  }
};

XUser::XUser() : connection_(std::make_unique<Connection>()) {
  connection_->display = XOpenDisplay(nullptr);
  // A key held while the machine is busy must not repeat: a second "y" would answer the next
  // question too.
  if (connection_->display) XAutoRepeatOff(connection_->display);
}

XUser::~XUser() {
  if (!connection_->display) return;
  XAutoRepeatOn(connection_->display);
  XCloseDisplay(connection_->display);
}

bool XUser::ready() const { return connection_->display != nullptr; }

void XUser::Key(const char* name, bool alt, bool shift) {
  connection_->Stroke(XStringToKeysym(name), alt, shift);
}

void XUser::Type(const std::string& text) {
  for (char c : text) {
    if (c >= 'A' && c <= 'Z') {
      connection_->Stroke(static_cast<KeySym>(c - 'A' + 'a'), false, true);
    } else {
      connection_->Stroke(static_cast<KeySym>(static_cast<unsigned char>(c)), false, false);
    }
  }
}

unsigned long XUser::FocusWindow() const {
  Window focus = None;
  int revert = 0;
  XGetInputFocus(connection_->display, &focus, &revert);
  return focus;
}

void XUser::Click(int x, int y) {
  Display* d = connection_->display;
  XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
  XSync(d, False);
  std::this_thread::sleep_for(30ms);
  XTestFakeButtonEvent(d, 1, True, CurrentTime);
  XTestFakeButtonEvent(d, 1, False, CurrentTime);
  XSync(d, False);
  std::this_thread::sleep_for(20ms);
}

}  // namespace torvane::testing
