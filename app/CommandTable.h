// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class MainDialog;

// Command ids of the menus and the list's double-click, each with the handler it runs.
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
}  // namespace command

struct CommandEntry {
    int id;
    void (MainDialog::*handler)();
};

struct MenuItem {
    const char* text;
    int id;
};

struct MenuPopup {
    const char* title;
    std::array<MenuItem, 7> items;  // unused slots have id 0
};

extern const std::array<CommandEntry, 14> kCommandTable;
extern const std::array<MenuPopup, 4> kMenus;
