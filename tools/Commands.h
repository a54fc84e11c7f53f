#pragma once
// The commands of pixmill-tool. Each takes the arguments after its name, already
// counted, and returns the reason it failed; none leaves a file behind on failure.
// A command's usage check, where it has one, finds wrong usage that counting
// cannot (an argument that must be a whole number, an unknown option) before any
// file is opened; Run* may then take that usage as right.

#include <span>
#include <string>

#include "common/Result.h"

namespace pixmill::tool {

using Arguments = std::span<const std::string>;

Status CheckInfoUsage(Arguments args);
Status CheckExportUsage(Arguments args);
Status CheckImportUsage(Arguments args);
Status CheckModUsage(Arguments args);

Status RunInfo(Arguments args);    // [--names NAMES.H] FILE.ART, the option anywhere
Status RunResave(Arguments args);  // IN.ART OUT.ART
// [--game-numbers] IN PALETTE OUT_BASE [FIRST [LAST]], the option anywhere
Status RunExport(Arguments args);
// [--game-numbers] [--palette PALETTE | --match-palette PALETTE] IN TILE PICTURE OUT,
// options anywhere
Status RunImport(Arguments args);
Status RunPalette(Arguments args);  // IN OUT
Status RunSet(Arguments args);      // FOLDER
Status RunMod(Arguments args);      // [--ifcrc] BASE CHANGED PALETTE OUTDIR, the option anywhere

}  // namespace pixmill::tool
