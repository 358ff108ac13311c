#include "platform/ui/Menu.h"

#include <algorithm>
#include <deque>
#include <map>
#include <mutex>
#include <optional>

#include "platform/ui/Gdi.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/System.h"

using platform::ui::MenuItemView;
using platform::ui::detail::kErrorInvalidParameter;

namespace {

// Item structures are read only when their size field vouches for them;
// Windows also takes the shorter form that ended before hbmpItem.
bool IsSized(const MENUITEMINFOW* info) {
  if (info != nullptr && (info->cbSize == sizeof(MENUITEMINFOW) ||
                          info->cbSize == offsetof(MENUITEMINFOW, hbmpItem))) {
    return true;
  }
  ::SetLastError(kErrorInvalidParameter);
  return false;
}

struct MenuRecord {
  std::vector<MenuItemView> items;
};

struct MenuTable {
  std::mutex mutex;
  std::map<std::uintptr_t, MenuRecord> menus;
  std::uintptr_t next = 0x50000;
};

MenuTable& Table() {
  static MenuTable* table = new MenuTable;
  return *table;
}

thread_local std::deque<UINT> scriptedChoices;

constexpr UINT kStateMask = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;

MenuRecord* FindLocked(HMENU menu) {
  auto it = Table().menus.find(reinterpret_cast<std::uintptr_t>(menu));
  return it == Table().menus.end() ? nullptr : &it->second;
}

struct Location {
  MenuRecord* record;
  std::size_t index;
};

// MF_BYCOMMAND searches submenus too, as Windows does.
std::optional<Location> LocateLocked(HMENU menu, UINT item, bool byPosition) {
  auto* record = FindLocked(menu);
  if (!record) return std::nullopt;
  if (byPosition) {
    if (item >= record->items.size()) return std::nullopt;
    return Location{record, item};
  }
  for (std::size_t i = 0; i < record->items.size(); ++i) {
    const auto& entry = record->items[i];
    if (!entry.submenu && !(entry.type & MFT_SEPARATOR) && entry.id == item)
      return Location{record, i};
  }
  for (const auto& entry : record->items) {
    if (entry.submenu) {
      if (auto found = LocateLocked(entry.submenu, item, false)) return found;
    }
  }
  return std::nullopt;
}

MenuItemView ItemFrom(UINT flags, UINT_PTR idOrSubmenu, LPCWSTR item) {
  MenuItemView entry;
  entry.state = flags & kStateMask;
  if (flags & MF_SEPARATOR) entry.type |= MFT_SEPARATOR;
  if (flags & MF_OWNERDRAW) {
    entry.type |= MFT_OWNERDRAW;
    entry.itemData = reinterpret_cast<ULONG_PTR>(item);
  } else if (item && !(flags & MF_SEPARATOR)) {
    entry.text = item;
  }
  // A submenu entry's id is its menu handle, as Windows reports it in the
  // owner-draw messages (GetMenuItemID still answers -1 for it).
  entry.id = static_cast<UINT>(idOrSubmenu);
  if (flags & MF_POPUP) entry.submenu = reinterpret_cast<HMENU>(idOrSubmenu);
  return entry;
}

void ApplyInfo(MenuItemView& entry, const MENUITEMINFOW& info) {
  if (info.fMask & MIIM_FTYPE) entry.type = info.fType;
  if (info.fMask & MIIM_STATE) entry.state = info.fState;
  if (info.fMask & MIIM_ID) entry.id = info.wID;
  if (info.fMask & MIIM_SUBMENU) entry.submenu = info.hSubMenu;
  if (info.fMask & MIIM_DATA) entry.itemData = info.dwItemData;
  if (info.fMask & MIIM_STRING)
    entry.text = info.dwTypeData ? std::u16string(info.dwTypeData) : std::u16string();
}

HMENU NewMenu() {
  std::lock_guard lock(Table().mutex);
  const auto key = Table().next;
  Table().next += 4;
  Table().menus.emplace(key, MenuRecord{});
  return reinterpret_cast<HMENU>(key);
}

void DestroyLocked(HMENU menu) {
  auto* record = FindLocked(menu);
  if (!record) return;
  std::vector<HMENU> submenus;
  for (const auto& entry : record->items) {
    if (entry.submenu) submenus.push_back(entry.submenu);
  }
  Table().menus.erase(reinterpret_cast<std::uintptr_t>(menu));
  for (HMENU submenu : submenus) DestroyLocked(submenu);
}

bool Choosable(const MenuItemView& item) {
  return !item.submenu && !(item.type & MFT_SEPARATOR) && !(item.state & (MF_GRAYED | MF_DISABLED));
}

// The positions from `menu` down to the item with command id `choice`.
bool FindPath(HMENU menu, UINT choice, std::vector<std::pair<HMENU, UINT>>& path) {
  const auto items = platform::ui::InspectMenu(menu);
  for (UINT i = 0; i < items.size(); ++i) {
    path.emplace_back(menu, i);
    if (!items[i].submenu && !(items[i].type & MFT_SEPARATOR) && items[i].id == choice) return true;
    if (items[i].submenu && FindPath(items[i].submenu, choice, path)) return true;
    path.pop_back();
  }
  return false;
}

void StoreMeasure(HMENU menu, std::size_t index, UINT width, UINT height) {
  std::lock_guard lock(Table().mutex);
  if (auto* record = FindLocked(menu); record && index < record->items.size()) {
    record->items[index].measuredWidth = width;
    record->items[index].measuredHeight = height;
  }
}

void MeasureAndDraw(HMENU menu, HWND owner) {
  auto items = platform::ui::InspectMenu(menu);
  for (std::size_t i = 0; i < items.size(); ++i) {
    auto& item = items[i];
    if (!(item.type & MFT_OWNERDRAW) || item.measuredHeight) continue;
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemID = item.id;
    measure.itemData = item.itemData;
    SendMessageW(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    item.measuredWidth = measure.itemWidth;
    item.measuredHeight = std::max<UINT>(measure.itemHeight, 1);
    StoreMeasure(menu, i, item.measuredWidth, item.measuredHeight);
  }
  HDC dc = platform::ui::CreateRecordingDC();
  LONG top = 0;
  for (const auto& item : items) {
    if (!(item.type & MFT_OWNERDRAW)) continue;
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = item.id;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = ((item.state & MF_GRAYED) ? ODS_GRAYED : 0) |
                     ((item.state & MF_DISABLED) ? ODS_DISABLED : 0) |
                     ((item.state & MF_CHECKED) ? ODS_CHECKED : 0);
    draw.hwndItem = reinterpret_cast<HWND>(menu);
    draw.hDC = dc;
    draw.rcItem = RECT{0, top, static_cast<LONG>(item.measuredWidth),
                       top + static_cast<LONG>(item.measuredHeight)};
    draw.itemData = item.itemData;
    SendMessageW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    top = draw.rcItem.bottom;
  }
  platform::ui::DeleteDC(dc);
}

}  // namespace

HMENU CreatePopupMenu() { return NewMenu(); }
HMENU CreateMenu() { return NewMenu(); }

BOOL DestroyMenu(HMENU menu) {
  std::lock_guard lock(Table().mutex);
  if (!FindLocked(menu)) return FALSE;
  DestroyLocked(menu);
  return TRUE;
}

BOOL IsMenu(HMENU menu) {
  std::lock_guard lock(Table().mutex);
  return FindLocked(menu) ? TRUE : FALSE;
}

BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR item) {
  return InsertMenuW(menu, static_cast<UINT>(-1), flags | MF_BYPOSITION, idOrSubmenu, item);
}

BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR item) {
  std::lock_guard lock(Table().mutex);
  auto* record = FindLocked(menu);
  if (!record) return FALSE;
  auto entry = ItemFrom(flags, idOrSubmenu, item);
  if (flags & MF_BYPOSITION) {
    const auto at = std::min<std::size_t>(position, record->items.size());
    record->items.insert(record->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    return TRUE;
  }
  auto found = LocateLocked(menu, position, false);
  if (!found) {
    record->items.push_back(std::move(entry));
    return TRUE;
  }
  found->record->items.insert(
      found->record->items.begin() + static_cast<std::ptrdiff_t>(found->index), std::move(entry));
  return TRUE;
}

BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR item) {
  std::lock_guard lock(Table().mutex);
  auto found = LocateLocked(menu, position, (flags & MF_BYPOSITION) != 0);
  if (!found) return FALSE;
  found->record->items[found->index] = ItemFrom(flags, idOrSubmenu, item);
  return TRUE;
}

BOOL InsertMenuItemW(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOW* info) {
  if (!IsSized(info)) return FALSE;
  std::lock_guard lock(Table().mutex);
  auto* record = FindLocked(menu);
  if (!record) return FALSE;
  MenuItemView entry;
  ApplyInfo(entry, *info);
  std::size_t at = record->items.size();
  if (byPosition) {
    at = std::min<std::size_t>(item, record->items.size());
  } else if (auto found = LocateLocked(menu, item, false); found && found->record == record) {
    at = found->index;
  }
  record->items.insert(record->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
  return TRUE;
}

BOOL GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFOW* info) {
  if (!IsSized(info)) return FALSE;
  std::lock_guard lock(Table().mutex);
  auto found = LocateLocked(menu, item, byPosition != 0);
  if (!found) return FALSE;
  const auto& entry = found->record->items[found->index];
  if (info->fMask & MIIM_FTYPE) info->fType = entry.type;
  if (info->fMask & MIIM_STATE) info->fState = entry.state;
  if (info->fMask & MIIM_ID) info->wID = entry.id;
  if (info->fMask & MIIM_SUBMENU) info->hSubMenu = entry.submenu;
  if (info->fMask & MIIM_DATA) info->dwItemData = entry.itemData;
  if (info->fMask & MIIM_STRING) {
    if (info->dwTypeData && info->cch > 0) {
      const auto count = std::min<std::size_t>(entry.text.size(), info->cch - 1);
      std::copy_n(entry.text.data(), count, info->dwTypeData);
      info->dwTypeData[count] = 0;
    }
    info->cch = static_cast<UINT>(entry.text.size());
  }
  return TRUE;
}

BOOL SetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOW* info) {
  if (!IsSized(info)) return FALSE;
  std::lock_guard lock(Table().mutex);
  auto found = LocateLocked(menu, item, byPosition != 0);
  if (!found) return FALSE;
  ApplyInfo(found->record->items[found->index], *info);
  return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
  std::lock_guard lock(Table().mutex);
  auto found = LocateLocked(menu, position, (flags & MF_BYPOSITION) != 0);
  if (!found) return FALSE;
  found->record->items.erase(found->record->items.begin() +
                             static_cast<std::ptrdiff_t>(found->index));
  return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
  std::lock_guard lock(Table().mutex);
  auto found = LocateLocked(menu, position, (flags & MF_BYPOSITION) != 0);
  if (!found) return FALSE;
  HMENU submenu = found->record->items[found->index].submenu;
  found->record->items.erase(found->record->items.begin() +
                             static_cast<std::ptrdiff_t>(found->index));
  if (submenu) DestroyLocked(submenu);
  return TRUE;
}

int GetMenuItemCount(HMENU menu) {
  std::lock_guard lock(Table().mutex);
  auto* record = FindLocked(menu);
  return record ? static_cast<int>(record->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  std::lock_guard lock(Table().mutex);
  auto* record = FindLocked(menu);
  if (!record || position < 0 || position >= static_cast<int>(record->items.size()))
    return static_cast<UINT>(-1);
  const auto& entry = record->items[static_cast<std::size_t>(position)];
  return entry.submenu ? static_cast<UINT>(-1) : entry.id;
}

HMENU GetSubMenu(HMENU menu, int position) {
  std::lock_guard lock(Table().mutex);
  auto* record = FindLocked(menu);
  if (!record || position < 0 || position >= static_cast<int>(record->items.size())) return nullptr;
  return record->items[static_cast<std::size_t>(position)].submenu;
}

UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  std::lock_guard lock(Table().mutex);
  auto found = LocateLocked(menu, item, (flags & MF_BYPOSITION) != 0);
  if (!found) return static_cast<UINT>(-1);
  const auto& entry = found->record->items[found->index];
  UINT state = entry.state | entry.type;
  if (entry.submenu) {
    auto* sub = FindLocked(entry.submenu);
    state |= MF_POPUP | (static_cast<UINT>(sub ? sub->items.size() : 0) << 8);
  }
  return state;
}

int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int bufferChars, UINT flags) {
  std::lock_guard lock(Table().mutex);
  auto found = LocateLocked(menu, item, (flags & MF_BYPOSITION) != 0);
  if (!found) return 0;
  const auto& text = found->record->items[found->index].text;
  if (!buffer || bufferChars <= 0) return static_cast<int>(text.size());
  const auto count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(bufferChars - 1));
  std::copy_n(text.data(), count, buffer);
  buffer[count] = 0;
  return static_cast<int>(count);
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags) {
  std::lock_guard lock(Table().mutex);
  auto found = LocateLocked(menu, item, (flags & MF_BYPOSITION) != 0);
  if (!found) return static_cast<DWORD>(-1);
  auto& state = found->record->items[found->index].state;
  const DWORD previous = state & (MF_GRAYED | MF_DISABLED);
  state = (state & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
  return previous;
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
  std::lock_guard lock(Table().mutex);
  auto found = LocateLocked(menu, item, (flags & MF_BYPOSITION) != 0);
  if (!found) return static_cast<DWORD>(-1);
  auto& state = found->record->items[found->index].state;
  const DWORD previous = state & MF_CHECKED;
  state = (state & ~MF_CHECKED) | (flags & MF_CHECKED);
  return previous;
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int, int, HWND owner, TPMPARAMS* params) {
  if (!IsMenu(menu) || !IsWindow(owner)) return FALSE;
  if (params && params->cbSize != sizeof(TPMPARAMS)) {
    ::SetLastError(kErrorInvalidParameter);
    return FALSE;
  }
  UINT choice = 0;
  if (!scriptedChoices.empty()) {
    choice = scriptedChoices.front();
    scriptedChoices.pop_front();
  }
  const bool notify = !(flags & TPM_NONOTIFY);
  if (notify) SendMessageW(owner, WM_ENTERMENULOOP, TRUE, 0);
  std::vector<HMENU> shown{menu};
  if (notify)
    SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, FALSE));
  MeasureAndDraw(menu, owner);

  std::vector<std::pair<HMENU, UINT>> path;
  if (choice && !FindPath(menu, choice, path)) choice = 0;
  for (std::size_t step = 0; choice && step + 1 < path.size(); ++step) {
    const auto [parent, position] = path[step];
    HMENU submenu = GetSubMenu(parent, static_cast<int>(position));
    if (notify) {
      SendMessageW(
          owner, WM_MENUSELECT,
          MAKEWPARAM(
              static_cast<WORD>(position),
              static_cast<WORD>(GetMenuState(parent, position, MF_BYPOSITION) & 0xFF) | MF_POPUP),
          reinterpret_cast<LPARAM>(parent));
      SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu),
                   MAKELPARAM(static_cast<WORD>(position), FALSE));
    }
    shown.push_back(submenu);
    MeasureAndDraw(submenu, owner);
  }
  if (choice) {
    const auto [holder, position] = path.back();
    const auto items = platform::ui::InspectMenu(holder);
    if (position < items.size() && Choosable(items[position])) {
      if (notify) {
        SendMessageW(owner, WM_MENUSELECT,
                     MAKEWPARAM(static_cast<WORD>(choice),
                                static_cast<WORD>(items[position].state | items[position].type)),
                     reinterpret_cast<LPARAM>(holder));
      }
    } else {
      choice = 0;
    }
  }
  if (notify) {
    SendMessageW(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
      SendMessageW(owner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(*it), 0);
    SendMessageW(owner, WM_EXITMENULOOP, TRUE, 0);
  }
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(choice);
  if (choice) PostMessageW(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(choice), 0), 0);
  return choice ? TRUE : FALSE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

namespace platform::ui {

void ScriptMenuChoice(UINT commandId) { scriptedChoices.push_back(commandId); }
void ClearMenuScript() { scriptedChoices.clear(); }

std::vector<MenuItemView> InspectMenu(HMENU menu) {
  std::lock_guard lock(Table().mutex);
  auto* record = FindLocked(menu);
  return record ? record->items : std::vector<MenuItemView>{};
}

}  // namespace platform::ui
