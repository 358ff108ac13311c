#include "platform/ui/Gdi.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <variant>

#include "platform/ui/Window.h"

namespace {

struct Font {
  LOGFONTW log{};
};
struct Brush {
  COLORREF colour;
  bool null;
};
struct DeviceContext {
  HFONT font = nullptr;
  COLORREF textColour = 0;
  COLORREF backColour = 0xFFFFFF;
  int backMode = OPAQUE;
  std::vector<platform::ui::DrawOperation> operations;
};
using GdiObject = std::variant<Font, Brush, DeviceContext, platform::Bitmap>;

struct GdiTable {
  std::mutex mutex;
  std::map<std::uintptr_t, GdiObject> objects;
  std::map<int, std::uintptr_t> stock;
  std::uintptr_t next = 0x30000;
};

GdiTable& Table() {
  static GdiTable* table = new GdiTable;
  return *table;
}

std::uintptr_t Key(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

std::uintptr_t AddLocked(GdiObject object) {
  auto& table = Table();
  const auto key = table.next;
  table.next += 4;
  table.objects.emplace(key, std::move(object));
  return key;
}

template <typename T>
T* FindLocked(const void* handle) {
  auto& table = Table();
  auto it = table.objects.find(Key(handle));
  return it == table.objects.end() ? nullptr : std::get_if<T>(&it->second);
}

bool IsStockLocked(const void* handle) {
  for (auto& [id, key] : Table().stock) {
    if (key == Key(handle)) return true;
  }
  return false;
}

std::u16string StripMnemonics(std::u16string_view text) {
  std::u16string result;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size())
      ++i;
    else if (text[i] == u'&')
      continue;
    result.push_back(text[i]);
  }
  return result;
}

}  // namespace

HGDIOBJ GetStockObject(int object) {
  if (object != NULL_BRUSH && object != DEFAULT_GUI_FONT) return nullptr;
  std::lock_guard lock(Table().mutex);
  auto& stock = Table().stock;
  auto it = stock.find(object);
  if (it == stock.end()) {
    GdiObject created = Brush{0, true};
    if (object == DEFAULT_GUI_FONT) {
      Font font;
      font.log.lfHeight = -11;
      font.log.lfWeight = 400;
      std::u16string_view face = u"MS Shell Dlg";
      std::copy(face.begin(), face.end(), font.log.lfFaceName);
      created = font;
    }
    it = stock.emplace(object, AddLocked(std::move(created))).first;
  }
  return reinterpret_cast<HGDIOBJ>(it->second);
}

HFONT CreateFontIndirectW(const LOGFONTW* font) {
  if (!font) return nullptr;
  std::lock_guard lock(Table().mutex);
  return reinterpret_cast<HFONT>(AddLocked(Font{*font}));
}

int GetObjectW(HGDIOBJ object, int size, void* buffer) {
  std::lock_guard lock(Table().mutex);
  auto* font = FindLocked<Font>(object);
  if (!font || size < static_cast<int>(sizeof(LOGFONTW)) || !buffer) return 0;
  std::memcpy(buffer, &font->log, sizeof(LOGFONTW));
  return sizeof(LOGFONTW);
}

BOOL DeleteObject(HGDIOBJ object) {
  std::lock_guard lock(Table().mutex);
  if (IsStockLocked(object)) return TRUE;
  auto& objects = Table().objects;
  auto it = objects.find(Key(object));
  if (it == objects.end() || std::holds_alternative<DeviceContext>(it->second)) return FALSE;
  objects.erase(it);
  return TRUE;
}

HBITMAP platform::ui::CreateBitmapHandle(const platform::Bitmap& bitmap) {
  if (bitmap.width <= 0 || bitmap.height <= 0 ||
      bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * bitmap.height) {
    return nullptr;
  }
  std::lock_guard lock(Table().mutex);
  return reinterpret_cast<HBITMAP>(AddLocked(bitmap));
}

std::optional<platform::Bitmap> platform::ui::detail::BitmapPixels(HBITMAP bitmap) {
  std::lock_guard lock(Table().mutex);
  const auto* pixels = FindLocked<platform::Bitmap>(bitmap);
  if (!pixels) return std::nullopt;
  return *pixels;
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  std::lock_guard lock(Table().mutex);
  return reinterpret_cast<HBRUSH>(AddLocked(Brush{colour, false}));
}

DWORD GetSysColor(int index) {
  switch (index) {
    case COLOR_MENU:
      return RGB(0xF0, 0xF0, 0xF0);
    case COLOR_WINDOW:
      return RGB(0xFF, 0xFF, 0xFF);
    case COLOR_WINDOWFRAME:
      return RGB(0x64, 0x64, 0x64);
    case COLOR_MENUTEXT:
    case COLOR_WINDOWTEXT:
      return RGB(0, 0, 0);
    case COLOR_HIGHLIGHT:
      return RGB(0x33, 0x99, 0xFF);
    case COLOR_HIGHLIGHTTEXT:
      return RGB(0xFF, 0xFF, 0xFF);
    case COLOR_BTNFACE:
      return RGB(0xF0, 0xF0, 0xF0);
    case COLOR_GRAYTEXT:
      return RGB(0x6D, 0x6D, 0x6D);
    default:
      return 0;
  }
}

HBRUSH GetSysColorBrush(int index) {
  static std::mutex mutex;
  static std::map<int, HBRUSH> brushes;
  std::lock_guard lock(mutex);
  auto& brush = brushes[index];
  if (!brush) brush = CreateSolidBrush(GetSysColor(index));
  return brush;
}

HDC GetDC(HWND hwnd) { return IsWindow(hwnd) ? platform::ui::CreateRecordingDC() : nullptr; }

int ReleaseDC(HWND, HDC dc) {
  platform::ui::DeleteDC(dc);
  return 1;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
  if (!paint || !IsWindow(hwnd)) return nullptr;
  ValidateRect(hwnd, nullptr);
  paint->hdc = platform::ui::CreateRecordingDC();
  paint->fErase = TRUE;
  GetClientRect(hwnd, &paint->rcPaint);
  return paint->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
  if (!paint) return FALSE;
  platform::ui::DeleteDC(paint->hdc);
  return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  std::lock_guard lock(Table().mutex);
  auto* context = FindLocked<DeviceContext>(dc);
  if (!context) return nullptr;
  if (FindLocked<Font>(object)) return std::exchange(context->font, static_cast<HFONT>(object));
  return FindLocked<Brush>(object) ? object : nullptr;
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
  std::lock_guard lock(Table().mutex);
  auto* context = FindLocked<DeviceContext>(dc);
  return context ? std::exchange(context->textColour, colour) : 0xFFFFFFFF;
}

COLORREF SetBkColor(HDC dc, COLORREF colour) {
  std::lock_guard lock(Table().mutex);
  auto* context = FindLocked<DeviceContext>(dc);
  return context ? std::exchange(context->backColour, colour) : 0xFFFFFFFF;
}

int SetBkMode(HDC dc, int mode) {
  std::lock_guard lock(Table().mutex);
  auto* context = FindLocked<DeviceContext>(dc);
  return context ? std::exchange(context->backMode, mode) : 0;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  std::lock_guard lock(Table().mutex);
  auto* context = FindLocked<DeviceContext>(dc);
  auto* fill = FindLocked<Brush>(brush);
  if (!context || !fill || !rect) return 0;
  if (!fill->null) {
    platform::ui::DrawOperation operation;
    operation.kind = platform::ui::DrawOperation::Kind::kFill;
    operation.rect = *rect;
    operation.colour = fill->colour;
    context->operations.push_back(operation);
  }
  return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  std::lock_guard lock(Table().mutex);
  auto* context = FindLocked<DeviceContext>(dc);
  auto* frame = FindLocked<Brush>(brush);
  if (!context || !frame || !rect) return 0;
  if (!frame->null) {
    platform::ui::DrawOperation operation;
    operation.kind = platform::ui::DrawOperation::Kind::kFrame;
    operation.rect = *rect;
    operation.colour = frame->colour;
    context->operations.push_back(operation);
  }
  return 1;
}

int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format) {
  if (!text || !rect) return 0;
  std::u16string_view view = count < 0 ? std::u16string_view(text)
                                       : std::u16string_view(text, static_cast<std::size_t>(count));
  const bool prefix = !(format & DT_NOPREFIX);
  if (format & DT_CALCRECT) {
    rect->right = rect->left + platform::ui::TextWidth(view, prefix);
    rect->bottom = rect->top + platform::ui::kTextHeight;
    return platform::ui::kTextHeight;
  }
  std::lock_guard lock(Table().mutex);
  auto* context = FindLocked<DeviceContext>(dc);
  if (!context) return 0;
  platform::ui::DrawOperation operation;
  operation.kind = platform::ui::DrawOperation::Kind::kText;
  operation.rect = *rect;
  operation.colour = context->textColour;
  operation.format = format;
  operation.font = context->font;
  operation.backgroundMode = context->backMode;
  operation.text = prefix ? StripMnemonics(view) : std::u16string(view);
  context->operations.push_back(std::move(operation));
  return platform::ui::kTextHeight;
}

BOOL GetTextExtentPoint32W(HDC, LPCWSTR text, int count, SIZE* size) {
  if (!text || !size || count < 0) return FALSE;
  size->cx = count * platform::ui::kCharWidth;
  size->cy = platform::ui::kTextHeight;
  return TRUE;
}

namespace platform::ui {

int TextWidth(std::u16string_view text, bool prefixMarksMnemonic) {
  const auto shown = prefixMarksMnemonic ? StripMnemonics(text) : std::u16string(text);
  return static_cast<int>(shown.size()) * kCharWidth;
}

HDC CreateRecordingDC() {
  std::lock_guard lock(Table().mutex);
  return reinterpret_cast<HDC>(AddLocked(DeviceContext{}));
}

void DeleteDC(HDC dc) {
  std::lock_guard lock(Table().mutex);
  if (FindLocked<DeviceContext>(dc)) Table().objects.erase(Key(dc));
}

std::vector<DrawOperation> RecordedOperations(HDC dc) {
  std::lock_guard lock(Table().mutex);
  auto* context = FindLocked<DeviceContext>(dc);
  return context ? context->operations : std::vector<DrawOperation>{};
}

}  // namespace platform::ui

namespace platform::ui::detail {

void RecordImage(HDC dc, HIMAGELIST list, int index, int x, int y, int width, int height) {
  std::lock_guard lock(Table().mutex);
  auto* context = FindLocked<DeviceContext>(dc);
  if (!context) return;
  DrawOperation operation;
  operation.kind = DrawOperation::Kind::kImage;
  operation.rect = RECT{x, y, x + width, y + height};
  operation.imageList = list;
  operation.imageIndex = index;
  context->operations.push_back(operation);
}

}  // namespace platform::ui::detail
