// Checks of the Win32 layer on a real (or emulated) Windows: the waiting form as
// Windows reports it, the file operations on a scratch folder, the 1252 conversions.
//   win32_platform_check SCRATCH_DIR [SCREENSHOT.bmp]
// Or, while another process shows a message box, how that box looks:
//   win32_platform_check --message-box CAPTION TEXT [SECONDS]
// Or the layer's own message box, as the no-argument run shows errore, for the above:
//   win32_platform_check --show-message TEXT
// Prints one line per check and exits 1 when any failed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/runtime_failure.h"
#include "platform/win32/codepage_1252.h"
#include "platform/win32/waiting_window.h"
#include "platform/win32/win32_platform.h"

namespace {

using namespace tracciato;

int passed = 0, failed = 0;

void check(bool ok, const std::string& name, const std::string& detail = {}) {
  if (ok) {
    ++passed;
    std::printf("ok   %s\n", name.c_str());
  } else {
    ++failed;
    std::printf("FAIL %s%s%s\n", name.c_str(), detail.empty() ? "" : ": ", detail.c_str());
  }
  std::fflush(stdout);
}

template <typename T>
void check_eq(const T& got, const T& want, const std::string& name) {
  check(got == want, name, "got " + std::to_string(got) + ", want " + std::to_string(want));
}

// True when `f` throws RuntimeFailure whose text holds `needle`.
bool fails_naming(const std::function<void()>& f, const std::string& needle) {
  try {
    f();
  } catch (const RuntimeFailure& e) {
    return std::string(e.what()).find(needle) != std::string::npos;
  }
  return false;
}

int count_entries(const std::wstring& folder) {
  WIN32_FIND_DATAW fd;
  const HANDLE h = ::FindFirstFileW((folder + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return -1;
  int n = 0;
  do {
    const std::wstring name = fd.cFileName;
    if (name != L"." && name != L"..") ++n;
  } while (::FindNextFileW(h, &fd));
  ::FindClose(h);
  return n;
}

// The window's pixels as Windows holds them now, no message processed, as a 24-bit BMP.
std::string capture_bmp(HWND window, bool whole, int* ink_pixels) {
  RECT r;
  if (whole) ::GetWindowRect(window, &r); else ::GetClientRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  const HDC src = whole ? ::GetWindowDC(window) : ::GetDC(window);
  const HDC mem = ::CreateCompatibleDC(src);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;  // bottom-up, as BMP files store rows
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP dib = ::CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = ::SelectObject(mem, dib);
  ::BitBlt(mem, 0, 0, w, h, src, 0, 0, SRCCOPY);
  ::GdiFlush();
  const int stride = (w * 3 + 3) & ~3;
  const auto* px = static_cast<const unsigned char*>(bits);
  if (ink_pixels) {
    *ink_pixels = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const unsigned char* p = px + y * stride + x * 3;
        if (p[0] < 64 && p[1] < 64 && p[2] < 64) ++*ink_pixels;
      }
  }
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(stride * h);
  std::string file(reinterpret_cast<const char*>(&fh), sizeof fh);
  file.append(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
  file.append(static_cast<const char*>(bits), static_cast<std::size_t>(stride * h));
  ::SelectObject(mem, old);
  ::DeleteObject(dib);
  ::DeleteDC(mem);
  ::ReleaseDC(window, src);
  return file;
}

void check_form(Win32Platform& p, const std::string& screenshot) {
  check(p.finestra_attesa().form() == nullptr, "no window before the waiting window is shown");
  p.show_waiting();
  const HWND form = p.finestra_attesa().form();
  const HWND label = p.finestra_attesa().label();
  check(form != nullptr && label != nullptr, "the form and its label exist");
  if (!form || !label) return;

  const HDC screen = ::GetDC(nullptr);
  const int dpi_x = ::GetDeviceCaps(screen, LOGPIXELSX), dpi_y = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  std::printf("     system DPI %d x %d\n", dpi_x, dpi_y);
  // Twips to the nearest pixel, worked out here apart from the layer.
  auto px = [](int twips, int dpi) { return (twips * dpi + 720) / 1440; };

  check(::IsWindowVisible(form) != 0, "the form is visible once shown");
  const LONG style = ::GetWindowLongW(form, GWL_STYLE);
  check((style & WS_THICKFRAME) && (style & WS_CAPTION) && !(style & WS_CHILD),
        "the form has a sizable border and a title bar");
  check(::GetWindow(form, GW_OWNER) == nullptr, "the form has no owner");

  RECT client;
  ::GetClientRect(form, &client);
  check_eq<long>(client.right - client.left, px(4200, dpi_x), "client width is 4200 twips");
  check_eq<long>(client.bottom - client.top, px(2688, dpi_y), "client height is 2688 twips");
  if (dpi_x == 96 && dpi_y == 96)
    check(client.right == 280 && client.bottom == 179, "at 96 DPI the client area is 280 x 179");

  RECT lr;
  ::GetWindowRect(label, &lr);
  ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&lr), 2);
  check_eq<long>(lr.left, px(960, dpi_x), "label left is 960 twips");
  check_eq<long>(lr.top, px(960, dpi_y), "label top is 960 twips");
  check_eq<long>(lr.right - lr.left, px(2652, dpi_x), "label width is 2652 twips");
  check_eq<long>(lr.bottom - lr.top, px(792, dpi_y), "label height is 792 twips");
  if (dpi_x == 96 && dpi_y == 96)
    check(lr.left == 64 && lr.top == 64 && lr.right == 241 && lr.bottom == 117,
          "at 96 DPI the label spans 64,64 to 241,117");
  check(::GetParent(label) == form && ::IsWindowVisible(label), "the label is a visible child of the form");

  wchar_t text[64] = {};
  ::GetWindowTextW(label, text, 64);
  check(std::wstring(text) == L"Attendere", "label caption is \"Attendere\"");

  const auto font = reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  check(font != nullptr && ::GetObjectW(font, sizeof lf, &lf) == sizeof lf, "the label has its own font");
  check(std::wstring(lf.lfFaceName) == L"MS Sans Serif", "font face is MS Sans Serif");
  check_eq<long>(lf.lfHeight, -((24 * dpi_y + 36) / 72), "font height is 24 points");
  check_eq<long>(lf.lfWeight, 700, "font weight is 700");
  check_eq<int>(lf.lfCharSet, 0, "font character set is 0");
  check(!lf.lfItalic && !lf.lfUnderline && !lf.lfStrikeOut, "font is not italic, underlined or struck out");

  // Painted before show_waiting returned: nothing is left to paint, and the label's
  // pixels already hold the dark strokes of its caption.
  RECT pending;
  check(!::GetUpdateRect(form, &pending, FALSE) && !::GetUpdateRect(label, &pending, FALSE),
        "form and label are painted without processing any message");
  int ink = 0;
  capture_bmp(label, false, &ink);
  check(ink > 50, "the caption's strokes are on the screen", std::to_string(ink) + " dark pixels");

  if (!screenshot.empty()) {
    try {
      p.write(screenshot, capture_bmp(form, true, nullptr));
      check(true, "screenshot written to " + screenshot);
    } catch (const RuntimeFailure& f) {
      check(false, "screenshot written", f.what());
    }
  }
}

void check_files(Win32Platform& p, const std::string& scratch) {
  const std::wstring wscratch = widen_1252(scratch);
  check(p.join("C:\\a", "b.txt") == "C:\\a\\b.txt" && p.join("C:\\a\\", "b") == "C:\\a\\\\b",
        "join adds exactly one backslash without looking");

  const std::string app = p.application_directory();
  check(p.exists(p.join(app, "win32_platform_check.exe")),
        "the application directory holds the executable", app);

  // A 1252 name reaches the disk as the same characters: a, grave a, euro sign.
  const std::string name = p.join(scratch, "citt\xE0 \x80.txt");
  p.write(name, "x");
  check(::GetFileAttributesW((wscratch + L"\\citt\u00E0 \u20AC.txt").c_str()) != INVALID_FILE_ATTRIBUTES,
        "a Windows-1252 file name is the same name on disk");
  check(p.exists(name), "the file exists by its 1252 name");
  p.remove(name);
  check(!p.exists(name), "a deleted file no longer exists");

  // Bytes go out and come back untouched: no CR LF translation, no end at ^Z or NUL.
  const std::string bytes("a\r\nb\nc\rd\x1A" "e\0f\xFF", 11);
  const std::string data = p.join(scratch, "data.bin");
  p.write(data, bytes);
  check(p.read(data) == bytes, "binary bytes are written and read back exactly");
  p.write(data, std::string(100000, 'z'));
  p.write(data, "bc");
  check(p.read(data) == "bc", "a write replaces a longer file without trailing bytes");
  check_eq(count_entries(wscratch), 1, "no temporary file is left beside the written one");
  p.write(data, "");
  check(p.read(data).empty(), "an empty write leaves an empty file");

  // A write that cannot replace its target leaves the older file as it was.
  const std::string locked = p.join(scratch, "locked.txt");
  p.write(locked, "old");
  const HANDLE holder = ::CreateFileW(widen_1252(locked).c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
  check(fails_naming([&] { p.write(locked, "new"); }, locked), "a write over a file held open fails naming it");
  ::CloseHandle(holder);
  check(p.read(locked) == "old", "the older file is intact after a failed write");
  check_eq(count_entries(wscratch), 2, "a failed write leaves no temporary file");

  const std::string missing = p.join(scratch, "missing.txt");
  check(fails_naming([&] { p.read(missing); }, missing), "reading a missing file fails naming it");
  check(fails_naming([&] { p.remove(missing); }, missing), "deleting a missing file fails naming it");
  check(fails_naming([&] { p.write(p.join(scratch, "no\\such\\x.txt"), "x"); }, "no\\such"),
        "writing into a missing folder fails naming the path");
  check(fails_naming([&] { p.read(scratch); }, scratch), "reading a folder fails naming it");

  // A NUL byte would cut the wide name short and name another file.
  const std::string cut = p.join(scratch, "cut");
  check(fails_naming([&] { p.write(cut + std::string("\0.txt", 5), "x"); }, "NUL"),
        "a name holding a NUL byte is refused");
  check(!p.exists(cut), "nothing is written under the shortened name");
}

void check_codepage() {
  check(widen_1252("\x80\x9F\xE0\xFF") == L"\u20AC\u0178\u00E0\u00FF",
        "1252 bytes widen to their own characters");
  check(widen_1252("\x81\x8D\x8F\x90\x9D") == L"\u0081\u008D\u008F\u0090\u009D",
        "the unassigned 1252 bytes widen to the controls of the same number");
  check(narrow_1252(L"C:\\citt\u00E0 \u20AC\u0081", "x") == "C:\\citt\xE0 \x80\x81",
        "1252 characters narrow back to their bytes");
  check(fails_naming([] { narrow_1252(L"C:\\\u03A9", "the folder"); }, "the folder"),
        "a character 1252 cannot hold is refused");
  check(fails_naming([] { narrow_1252(L"C:\\\u0100", "the folder"); }, "cannot hold"),
        "no look-alike stands in for a character 1252 lacks");
}

struct BoxFound {
  std::wstring caption;
  HWND box = nullptr;
};

BOOL CALLBACK find_box(HWND w, LPARAM arg) {
  auto* found = reinterpret_cast<BoxFound*>(arg);
  wchar_t cls[64] = {}, title[256] = {};
  ::GetClassNameW(w, cls, 64);
  ::GetWindowTextW(w, title, 256);
  if (std::wstring(cls) == L"#32770" && found->caption == title && ::IsWindowVisible(w)) {
    found->box = w;
    return FALSE;
  }
  return TRUE;
}

struct BoxParts {
  std::vector<std::wstring> texts, buttons;
  int icons = 0;
};

BOOL CALLBACK collect_parts(HWND w, LPARAM arg) {
  auto* parts = reinterpret_cast<BoxParts*>(arg);
  if (!::IsWindowVisible(w)) return TRUE;
  wchar_t cls[64] = {}, text[512] = {};
  ::GetClassNameW(w, cls, 64);
  ::GetWindowTextW(w, text, 512);
  std::wstring label;
  for (const wchar_t* c = text; *c; ++c)
    if (*c != L'&') label += *c;
  const std::wstring kind = cls;
  const LONG style = ::GetWindowLongW(w, GWL_STYLE);
  if (kind == L"Button") {
    parts->buttons.push_back(label);
  } else if (kind == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
    if (::SendMessageW(w, STM_GETICON, 0, 0)) ++parts->icons;
  } else if (kind == L"Static" && !label.empty()) {
    parts->texts.push_back(text);
  }
  return TRUE;
}

// Finds a message box of another process by its caption and checks its text, its one
// OK button and the absence of an icon. Closing it is left to the caller.
int check_message_box(const std::string& caption, const std::string& text, int seconds) {
  BoxFound found{widen_1252(caption)};
  for (int waited = 0; !found.box && waited < seconds * 10; ++waited) {
    ::EnumWindows(find_box, reinterpret_cast<LPARAM>(&found));
    if (!found.box) ::Sleep(100);
  }
  check(found.box != nullptr, "a message box captioned \"" + caption + "\" is shown");
  if (found.box) {
    BoxParts parts;
    ::EnumChildWindows(found.box, collect_parts, reinterpret_cast<LPARAM>(&parts));
    const std::wstring want = widen_1252(text);
    check(parts.texts.size() == 1 && parts.texts[0] == want, "its text is \"" + text + "\"",
          parts.texts.empty() ? "no text" : narrow_1252(parts.texts[0], "the text"));
    check(parts.buttons.size() == 1 && parts.buttons[0] == L"OK", "it has a single OK button",
          std::to_string(parts.buttons.size()) + " buttons");
    check_eq(parts.icons, 0, "it shows no icon");
  }
  std::printf("win32_platform_check: %d checks passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--show-message") {
    Win32Platform p;
    p.show_message(argv[2]);
    return 0;
  }
  if (argc >= 4 && std::string(argv[1]) == "--message-box")
    return check_message_box(argv[2], argv[3], argc > 4 ? std::atoi(argv[4]) : 30);
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: win32_platform_check SCRATCH_DIR [SCREENSHOT.bmp]\n"
                 "       win32_platform_check --message-box CAPTION TEXT [SECONDS]\n"
                 "       win32_platform_check --show-message TEXT\n");
    return 64;
  }
  Win32Platform p;
  try {
    check_codepage();
    check_files(p, argv[1]);
    check_form(p, argc > 2 ? argv[2] : "");
  } catch (const RuntimeFailure& f) {
    check(false, "no unexpected failure", f.what());
  }
  std::printf("win32_platform_check: %d checks passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
