// SPDX-License-Identifier: GPL-3.0-or-later
// The command table's lookup and the menus of the window, item by item.
#include "app/CommandTable.h"

#include <QtGlobal>
#include <utility>

namespace tinplate {

void CommandTable::Register(int id, std::function<void()> handler) {
    m_handlers[id] = std::move(handler);
}

void CommandTable::Run(int id) const {
    if (const auto found = m_handlers.find(id); found != m_handlers.end()) {
        found->second();
    }
}

namespace {
constexpr int kZoomGroup = 1;
constexpr int kChannelGroup = 2;
constexpr int kListGroup = 3;
constexpr MenuItem kSeparatorItem{"", command::kSeparator};
}  // namespace

// The texts are translated in the "Menu" context.
const std::array<MenuPopup, 8> kMenus = {{
    {QT_TRANSLATE_NOOP("Menu", "&File"),
     {{{QT_TRANSLATE_NOOP("Menu", "&New"), command::kFileNew, "Ctrl+N"},
       {QT_TRANSLATE_NOOP("Menu", "&Open..."), command::kFileOpen, "Ctrl+O"},
       {QT_TRANSLATE_NOOP("Menu", "Open &Recent"), command::kOpenRecentMenu},
       {QT_TRANSLATE_NOOP("Menu", "&Browse Folder..."), command::kFileBrowseFolder, "Ctrl+B"},
       {QT_TRANSLATE_NOOP("Menu", "&Save"), command::kFileSave, "Ctrl+S"},
       {QT_TRANSLATE_NOOP("Menu", "Save &As..."), command::kFileSaveAs, "Ctrl+Shift+S"},
       kSeparatorItem,
       {QT_TRANSLATE_NOOP("Menu", "E&xit"), command::kFileExit, "Ctrl+Q"}}}},
    {QT_TRANSLATE_NOOP("Menu", "&Edit"),
     {{{QT_TRANSLATE_NOOP("Menu", "&Undo"), command::kEditUndo, "Ctrl+Z"},
       {QT_TRANSLATE_NOOP("Menu", "&Redo"), command::kEditRedo, "Ctrl+Shift+Z"},
       kSeparatorItem,
       {QT_TRANSLATE_NOOP("Menu", "&Find"), command::kEditFind, "Ctrl+F"}}}},
    {QT_TRANSLATE_NOOP("Menu", "&Image"),
     {{{QT_TRANSLATE_NOOP("Menu", "&Import..."), command::kImageImport},
       {QT_TRANSLATE_NOOP("Menu", "&Export"), command::kImageExport},
       {QT_TRANSLATE_NOOP("Menu", "Export &As..."), command::kImageExportAs},
       {QT_TRANSLATE_NOOP("Menu", "Import F&rom..."), command::kImageImportFrom},
       kSeparatorItem,
       {QT_TRANSLATE_NOOP("Menu", "&Unswizzle All"), command::kImageUnswizzleAll},
       {QT_TRANSLATE_NOOP("Menu", "&Swizzle All"), command::kImageSwizzleAll},
       kSeparatorItem,
       {QT_TRANSLATE_NOOP("Menu", "&Flip"), command::kImageFlip}}}},
    {QT_TRANSLATE_NOOP("Menu", "&Alpha"),
     {{{QT_TRANSLATE_NOOP("Menu", "Set Alpha To &Yes"), command::kAlphaSetAlphaToYes},
       {QT_TRANSLATE_NOOP("Menu", "Set Alpha To &No"), command::kAlphaSetAlphaToNo}}}},
    {QT_TRANSLATE_NOOP("Menu", "&Texture"),
     {{{QT_TRANSLATE_NOOP("Menu", "&Add From Image..."), command::kTextureAdd},
       {QT_TRANSLATE_NOOP("Menu", "&Remove"), command::kTextureRemove, "Delete"},
       {QT_TRANSLATE_NOOP("Menu", "Re&name"), command::kTextureRename, "F2"},
       {QT_TRANSLATE_NOOP("Menu", "Re&place With Image..."), command::kTextureReplace},
       {QT_TRANSLATE_NOOP("Menu", "Change &Kind..."), command::kTextureChangeKind},
       {QT_TRANSLATE_NOOP("Menu", "Re&size..."), command::kTextureResize},
       {QT_TRANSLATE_NOOP("Menu", "Make &Mip Levels"), command::kTextureMakeLevels},
       {QT_TRANSLATE_NOOP("Menu", "R&emove Mip Levels"), command::kTextureRemoveLevels},
       {QT_TRANSLATE_NOOP("Menu", "Move &Up"), command::kTextureMoveUp, "Alt+Up"},
       {QT_TRANSLATE_NOOP("Menu", "Move &Down"), command::kTextureMoveDown, "Alt+Down"},
       {QT_TRANSLATE_NOOP("Menu", "Pr&operties..."), command::kTextureProperties, "Alt+Return"}}}},
    {QT_TRANSLATE_NOOP("Menu", "&Dictionary"),
     {{{QT_TRANSLATE_NOOP("Menu", "&Check"), command::kDictionaryCheck, "F7"},
       {QT_TRANSLATE_NOOP("Menu", "&Platform..."), command::kDictionaryPlatform},
       {QT_TRANSLATE_NOOP("Menu", "&Target..."), command::kDictionaryTarget}}}},
    {QT_TRANSLATE_NOOP("Menu", "&View"),
     {{{QT_TRANSLATE_NOOP("Menu", "&Standard Size"), command::kViewZoomStandard, "Ctrl+0",
        kZoomGroup},
       {QT_TRANSLATE_NOOP("Menu", "&Fit"), command::kViewZoomFit, nullptr, kZoomGroup},
       {QT_TRANSLATE_NOOP("Menu", "&100 %"), command::kViewZoom100, nullptr, kZoomGroup},
       {QT_TRANSLATE_NOOP("Menu", "&200 %"), command::kViewZoom200, nullptr, kZoomGroup},
       {QT_TRANSLATE_NOOP("Menu", "&400 %"), command::kViewZoom400, nullptr, kZoomGroup},
       {QT_TRANSLATE_NOOP("Menu", "&800 %"), command::kViewZoom800, nullptr, kZoomGroup},
       {QT_TRANSLATE_NOOP("Menu", "Zoom &In"), command::kViewZoomIn, "Ctrl++; Ctrl+="},
       {QT_TRANSLATE_NOOP("Menu", "Zoom &Out"), command::kViewZoomOut, "Ctrl+-"},
       kSeparatorItem,
       {QT_TRANSLATE_NOOP("Menu", "&Colour"), command::kViewColour, nullptr, kChannelGroup},
       {QT_TRANSLATE_NOOP("Menu", "Colour on &Checkerboard"), command::kViewCheckerboard, nullptr,
        kChannelGroup},
       {QT_TRANSLATE_NOOP("Menu", "&Alpha Channel"), command::kViewAlphaChannel, nullptr,
        kChannelGroup},
       kSeparatorItem,
       {QT_TRANSLATE_NOOP("Menu", "&List"), command::kViewList, nullptr, kListGroup},
       {QT_TRANSLATE_NOOP("Menu", "&Thumbnails"), command::kViewThumbnails, nullptr, kListGroup}}}},
    {QT_TRANSLATE_NOOP("Menu", "&Help"),
     {{{QT_TRANSLATE_NOOP("Menu", "&About TXD Tinplate..."), command::kAbout}}}},
}};

}  // namespace tinplate
