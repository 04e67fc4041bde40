// The hand-written floor of Loquat's start: the lesson window's controls, made at start without the runtime.
// One window with what the lesson window has: a menu bar, 31 panes, 10 rich edits, a list box of the
// exercise table's rows, a popup, 13 buttons and a picture. Usage: lesson_window_floor TABLE
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static HBITMAP picture;

static LRESULT CALLBACK pane_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    if (GetWindowLongPtrA(hwnd, GWLP_ID) == 1) {
      HDC source = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(source, picture);
      BitBlt(dc, 0, 0, r.right, r.bottom, source, 0, 0, SRCCOPY);
      SelectObject(source, old);
      DeleteDC(source);
    } else {
      FillRect(dc, &r, (HBRUSH)GetStockObject(WHITE_BRUSH));
      FrameRect(dc, &r, (HBRUSH)GetStockObject(BLACK_BRUSH));
    }
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

static LRESULT CALLBACK window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

static HMENU menu_of(const char* prefix, int count, int first_id) {
  HMENU menu = CreatePopupMenu();
  char text[64];
  for (int i = 0; i < count; ++i) {
    snprintf(text, sizeof text, "%d  %s %d", i + 1, prefix, i + 1);
    AppendMenuA(menu, MF_STRING, (UINT_PTR)(first_id + i), text);
  }
  return menu;
}

static HMENU menu_bar(void) {
  static const struct {
    const char* title;
    int items;
  } menus[] = {{"File", 8}, {"Articles", 18}, {"Proverbs", 12}, {"Listening", 14}, {"Other", 6}};
  HMENU bar = CreateMenu();
  for (int m = 0; m < 5; ++m)
    AppendMenuA(bar, MF_POPUP | MF_STRING, (UINT_PTR)menu_of(menus[m].title, menus[m].items, 1000 + m * 100),
                menus[m].title);
  return bar;
}

static HWND child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h,
                  int id) {
  return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, (HMENU)(INT_PTR)id,
                         GetModuleHandleA(NULL), NULL);
}

/* The table's rows, as the list box shows them: the first two cells of each line. */
static void fill_list(HWND list, const char* table) {
  FILE* in = fopen(table, "rb");
  char line[8192];
  if (!in) return;
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  while (fgets(line, sizeof line, in)) {
    if (line[0] == '#' || line[0] == '\n') continue;
    line[strcspn(line, "\r\n")] = 0;
    char* tab = strchr(line, '\t');
    if (tab && (tab = strchr(tab + 1, '\t'))) *tab = 0;
    SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)line);
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  fclose(in);
}

static HBITMAP make_picture(HDC reference) {
  BITMAPINFO info = {0};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 480;
  info.bmiHeader.biHeight = -360;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = NULL;
  HBITMAP bitmap = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, NULL, 0);
  if (!bitmap) return NULL;
  unsigned int* pixels = bits;
  for (int y = 0; y < 360; ++y)
    for (int x = 0; x < 480; ++x)
      pixels[y * 480 + x] = (unsigned)((x * 255 / 480) << 16 | (y * 255 / 360) << 8 | 0x80);
  return bitmap;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show) {
  (void)previous;
  (void)show;
  WNDCLASSA wc = {0};
  wc.lpfnWndProc = window_procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
  wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  wc.lpszClassName = "FloorWindow";
  RegisterClassA(&wc);
  wc.lpfnWndProc = pane_procedure;
  wc.hbrBackground = NULL;
  wc.lpszClassName = "FloorPane";
  RegisterClassA(&wc);
  LoadLibraryA("RICHED32.DLL");

  RECT frame = {0, 0, 480, 360};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
  HWND window = CreateWindowExA(
      0, "FloorWindow", "Lesson window floor", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20 + frame.left,
      50 + frame.top, frame.right - frame.left, frame.bottom - frame.top, NULL, menu_bar(), instance, NULL);
  HDC screen = GetDC(window);
  picture = make_picture(screen);
  ReleaseDC(window, screen);

  int id = 1;
  /* The picture's pane first, then the lesson's panes: a strip, the boxes and the editor's canvases. */
  child(window, "FloorPane", "", 0, 0, 0, 480, 360, id++);
  for (int i = 1; i < 31; ++i)
    child(window, "FloorPane", "", 0, (i % 6) * 80, 200 + (i / 6) * 30, 76, 26, id++);
  for (int i = 0; i < 10; ++i) {
    HWND edit = child(window, "RichEdit", "", ES_MULTILINE | WS_BORDER, 485, 42 + i * 30, 300, 28, id++);
    if (!edit) child(window, "RichEdit20A", "", ES_MULTILINE | WS_BORDER, 485, 42 + i * 30, 300, 28, id - 1);
  }
  HWND list = child(window, "LISTBOX", "", WS_VSCROLL | WS_BORDER | LBS_NOTIFY, 0, 384, 787, 176, id++);
  char table[MAX_PATH];
  snprintf(table, sizeof table, "%s", command_line + (command_line[0] == '"'));
  table[strcspn(table, "\"")] = 0;
  fill_list(list, table);
  HWND popup = child(window, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, 485, 22, 182, 200, id++);
  for (int i = 0; i < 6; ++i) SendMessageA(popup, CB_ADDSTRING, 0, (LPARAM) "exercises.tsv");
  SendMessageA(popup, CB_SETCURSEL, 0, 0);
  for (int i = 0; i < 13; ++i)
    child(window, "BUTTON", "Button", BS_PUSHBUTTON, 485 + (i % 4) * 75, 360 + (i / 4) * 24, 74, 22, id++);

  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  DeleteObject(picture);
  return 0;
}
