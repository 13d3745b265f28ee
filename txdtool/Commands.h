// SPDX-License-Identifier: GPL-3.0-or-later
// The handlers of txdtool's commands.
#pragma once

#include "txdtool/CommandLine.h"

namespace tinplate {

// Each command runs the code path of the window's command of the same job and returns the
// exit status; a failure that ends it is thrown as a FileError (status 1) or, for words that
// make no sense, a UsageError (status 2).

// Reading (ListAndCheckCommands.cpp)
int RunList(const CommandArguments& arguments);
int RunCheck(const CommandArguments& arguments);

// Checks (LintCommand.cpp, DiffCommand.cpp)
int RunLint(const CommandArguments& arguments);
int RunDiff(const CommandArguments& arguments);

// Image files (ExchangeCommands.cpp)
int RunExport(const CommandArguments& arguments);
int RunImport(const CommandArguments& arguments);

// Pictures of any format (PictureCommands.cpp): without --format this hands over to RunExport.
int RunExportAny(const CommandArguments& arguments);

// Editing, then Save (EditCommands.cpp)
int RunSwizzle(const CommandArguments& arguments);
int RunUnswizzle(const CommandArguments& arguments);
int RunFlip(const CommandArguments& arguments);
int RunAlpha(const CommandArguments& arguments);
// Texture > Properties, then Save (SetCommand.cpp)
int RunSet(const CommandArguments& arguments);

// Moving dictionaries between platform layouts, then saving them whole (PlatformCommand.cpp)
int RunPlatform(const CommandArguments& arguments);

// The picture (PreviewCommand.cpp)
int RunPreview(const CommandArguments& arguments);

// Every texture under folders and in archives (ScanCommands.cpp)
int RunFind(const CommandArguments& arguments);
int RunIndex(const CommandArguments& arguments);
int RunDuplicates(const CommandArguments& arguments);

// The dictionary at a glance, for file managers (ThumbnailCommand.cpp)
int RunThumbnail(const CommandArguments& arguments);

}  // namespace tinplate
