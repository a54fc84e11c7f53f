#pragma once
// The commands of pixmill-tool. Each takes the arguments after its name, already
// counted, and returns the reason it failed; none leaves a file behind on failure.

#include <span>
#include <string>

#include "common/Result.h"

namespace pixmill::tool {

using Arguments = std::span<const std::string>;

Status RunInfo(Arguments args);     // FILE.ART
Status RunResave(Arguments args);   // IN.ART OUT.ART
Status RunExport(Arguments args);   // IN.ART PALETTE OUT_BASE [FIRST [LAST]]
Status RunImport(Arguments args);   // IN.ART TILE BITMAP OUT.ART
Status RunPalette(Arguments args);  // IN OUT

}  // namespace pixmill::tool
