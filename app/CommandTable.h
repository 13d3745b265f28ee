// SPDX-License-Identifier: GPL-3.0-or-later
// The command ids, the table of their handlers, and the menus that name them.
#pragma once

#include <array>
#include <functional>
#include <map>

namespace tinplate {

// Command ids of the menus and the list's double-click.
namespace command {
inline constexpr int kAbout = 0x10;
inline constexpr int kTextureListDoubleClick = 1001;
inline constexpr int kFileOpen = 0x8003;
inline constexpr int kImageImport = 0x8004;
inline constexpr int kImageExport = 0x8005;
inline constexpr int kFileSave = 0x8006;
inline constexpr int kImageUnswizzleAll = 0x8007;
inline constexpr int kImageSwizzleAll = 0x8008;
inline constexpr int kFileExit = 0x8009;
inline constexpr int kAlphaSetAlphaToYes = 0x800F;
inline constexpr int kAlphaSetAlphaToNo = 0x8010;
inline constexpr int kImageFlip = 0x8011;
inline constexpr int kImageExportAs = 0x8012;
inline constexpr int kImageImportFrom = 0x8013;
inline constexpr int kEditUndo = 0x8020;
inline constexpr int kEditRedo = 0x8021;
inline constexpr int kViewZoomStandard = 0x8030;
inline constexpr int kViewZoomFit = 0x8031;
inline constexpr int kViewZoom100 = 0x8032;
inline constexpr int kViewZoom200 = 0x8033;
inline constexpr int kViewZoom400 = 0x8034;
inline constexpr int kViewZoom800 = 0x8035;
inline constexpr int kViewZoomIn = 0x8036;
inline constexpr int kViewZoomOut = 0x8037;
inline constexpr int kViewColour = 0x8038;
inline constexpr int kViewCheckerboard = 0x8039;
inline constexpr int kViewAlphaChannel = 0x803A;
inline constexpr int kFileNew = 0x8040;
inline constexpr int kFileSaveAs = 0x8041;
inline constexpr int kTextureAdd = 0x8042;
inline constexpr int kTextureRemove = 0x8043;
inline constexpr int kTextureRename = 0x8044;
inline constexpr int kTextureReplace = 0x8045;
inline constexpr int kTextureChangeKind = 0x8046;
inline constexpr int kTextureResize = 0x8047;
inline constexpr int kTextureMakeLevels = 0x8048;
inline constexpr int kTextureRemoveLevels = 0x8049;
inline constexpr int kTextureMoveUp = 0x804A;
inline constexpr int kTextureMoveDown = 0x804B;
inline constexpr int kTextureProperties = 0x804C;
inline constexpr int kViewList = 0x8050;
inline constexpr int kViewThumbnails = 0x8051;
inline constexpr int kEditFind = 0x8052;
inline constexpr int kDictionaryCheck = 0x8060;
inline constexpr int kDictionaryPlatform = 0x8061;
inline constexpr int kDictionaryTarget = 0x8062;
inline constexpr int kFileBrowseFolder = 0x8070;
// Menu table markers, not commands.
inline constexpr int kSeparator = -1;
inline constexpr int kOpenRecentMenu = -2;
}  // namespace command

// The handler each command id runs. Each group of commands registers its own.
class CommandTable {
public:
    void Register(int id, std::function<void()> handler);
    // Runs the handler of `id`; nothing when none is registered.
    void Run(int id) const;

private:
    std::map<int, std::function<void()>> m_handlers;
};

// Items of one exclusive group carry the same non-zero `group`; the window checks the one
// that is in force.
struct MenuItem {
    const char* text;
    int id;
    const char* shortcut = nullptr;  // several are separated by "; "
    int group = 0;
};

struct MenuPopup {
    const char* title;
    std::array<MenuItem, 16> items;  // unused slots have id 0
};

extern const std::array<MenuPopup, 8> kMenus;

}  // namespace tinplate
