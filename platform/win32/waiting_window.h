#pragma once

struct HWND__;
struct HFONT__;

namespace tracciato {

// Pixel sizes of the waiting form at a given DPI. The form is laid out in twips
// (1440 to the inch), each converted to the nearest pixel.
struct WaitingLayout {
  int client_width, client_height;
  int label_left, label_top, label_width, label_height;
  int font_height;  // a LOGFONT height: negative, the character height of 24 points
};
WaitingLayout waiting_layout(int dpi_x, int dpi_y);

// The start-up form "Form1" with its one label "Attendere": a sizable window at the
// window manager's default place, shown modeless and painted before `show` returns.
// No messages are processed afterwards; the window goes with the process.
class WaitingWindow {
 public:
  WaitingWindow() = default;
  WaitingWindow(const WaitingWindow&) = delete;
  WaitingWindow& operator=(const WaitingWindow&) = delete;
  ~WaitingWindow();

  // Creates, shows and paints the form; throws RuntimeFailure when Windows refuses.
  void show();
  HWND__* form() const { return form_; }
  HWND__* label() const { return label_; }

 private:
  HWND__* form_ = nullptr;
  HWND__* label_ = nullptr;
  HFONT__* font_ = nullptr;
};

}  // namespace tracciato
