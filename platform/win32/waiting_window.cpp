#include "platform/win32/waiting_window.h"

#include <windows.h>

#include <string>

#include "platform/runtime_failure.h"

namespace tracciato {

namespace {

constexpr wchar_t form_class[] = L"tracciato.Form1";
constexpr wchar_t title[] = L"tracciato";

// Twips of the form: client area 4200 x 2688; the label at 960, 960, 2652 x 792.
constexpr int client_width_twips = 4200, client_height_twips = 2688;
constexpr int label_left_twips = 960, label_top_twips = 960;
constexpr int label_width_twips = 2652, label_height_twips = 792;
constexpr int font_points = 24;

// The nearest pixel, as MulDiv rounds: at 96 DPI 2688 twips are 179.2 pixels, so 179.
int twips_to_pixels(int twips, int dpi) { return ::MulDiv(twips, dpi, 1440); }

[[noreturn]] void refused(const char* what) {
  throw RuntimeFailure(std::string("cannot ") + what + " the waiting window: error " +
                       std::to_string(::GetLastError()));
}

}  // namespace

WaitingLayout waiting_layout(int dpi_x, int dpi_y) {
  return {twips_to_pixels(client_width_twips, dpi_x), twips_to_pixels(client_height_twips, dpi_y),
          twips_to_pixels(label_left_twips, dpi_x),   twips_to_pixels(label_top_twips, dpi_y),
          twips_to_pixels(label_width_twips, dpi_x),  twips_to_pixels(label_height_twips, dpi_y),
          -::MulDiv(font_points, dpi_y, 72)};
}

WaitingWindow::~WaitingWindow() {
  if (form_) ::DestroyWindow(form_);
  if (font_) ::DeleteObject(font_);
}

void WaitingWindow::show() {
  if (form_) return;
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.hIcon = ::LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = form_class;
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    refused("register");

  const HDC screen = ::GetDC(nullptr);
  const int dpi_x = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
  const int dpi_y = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ::ReleaseDC(nullptr, screen);
  const WaitingLayout layout = waiting_layout(dpi_x, dpi_y);

  constexpr DWORD style = WS_OVERLAPPEDWINDOW;
  RECT frame{0, 0, layout.client_width, layout.client_height};
  ::AdjustWindowRectEx(&frame, style, FALSE, 0);
  form_ = ::CreateWindowExW(0, form_class, title, style, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr,
                            nullptr, instance, nullptr);
  if (!form_) refused("create");

  label_ = ::CreateWindowExW(0, L"STATIC", L"Attendere", WS_CHILD | WS_VISIBLE | SS_LEFT,
                             layout.label_left, layout.label_top, layout.label_width,
                             layout.label_height, form_, nullptr, instance, nullptr);
  if (!label_) refused("create the label of");
  font_ = ::CreateFontW(layout.font_height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
  if (!font_) refused("create the font of");
  ::SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

  ::ShowWindow(form_, SW_SHOW);
  // Paint now: the run processes no messages until it ends.
  ::UpdateWindow(form_);
  ::UpdateWindow(label_);
}

}  // namespace tracciato
