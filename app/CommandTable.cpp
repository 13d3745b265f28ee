// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandTable.h"

#include "MainDialog.h"

const std::array<CommandEntry, 14> kCommandTable = {{
    {command::kAbout, &MainDialog::OnHelpAbout},
    {command::kTextureListDoubleClick, &MainDialog::OnDblclkTextureList},
    {command::kFileOpen, &MainDialog::OnFileOpen},
    {command::kFileSave, &MainDialog::OnFileSave},
    {command::kFileExit, &MainDialog::OnFileExit},
    {command::kImageImport, &MainDialog::OnImageImport},
    {command::kImageExport, &MainDialog::OnImageExport},
    {command::kImageUnswizzleAll, &MainDialog::OnImageUnswizzleAll},
    {command::kImageSwizzleAll, &MainDialog::OnImageSwizzleAll},
    {command::kImageFlip, &MainDialog::OnImageFlip},
    {command::kAlphaSetAlphaToYes, &MainDialog::OnAlphaSetAlphaToYes},
    {command::kAlphaSetAlphaToNo, &MainDialog::OnAlphaSetAlphaToNo},
    {command::kImageExportAs, &MainDialog::OnImageExportAs},
    {command::kImageImportFrom, &MainDialog::OnImageImportFrom},
}};

const std::array<MenuPopup, 4> kMenus = {{
    {"File",
     {{{"Open", command::kFileOpen}, {"Save", command::kFileSave}, {"Exit", command::kFileExit}}}},
    {"Image",
     {{{"Import", command::kImageImport},
       {"Export", command::kImageExport},
       {"Unswizzle All", command::kImageUnswizzleAll},
       {"Swizzle All", command::kImageSwizzleAll},
       {"Flip", command::kImageFlip},
       {"Export As...", command::kImageExportAs},
       {"Import From...", command::kImageImportFrom}}}},
    {"Alpha",
     {{{"Set Alpha To Yes", command::kAlphaSetAlphaToYes},
       {"Set Alpha To No", command::kAlphaSetAlphaToNo}}}},
    {"Help", {{{"&About TXD Tinplate...", command::kAbout}}}},
}};
