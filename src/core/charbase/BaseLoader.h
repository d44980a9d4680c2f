#pragma once

#include "core/charbase/Characteristic.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zarva {

// Which diagram a list of block types is for: the differential one takes only the "DIF"
// characteristics, the circle (impedance-plane) one all the others.
enum class ChartKind { Circle, Differential };

// The characteristic base files (*.zrb, any case of the extension) of each folder, folder
// after folder in the order given, each folder's sorted by name. A missing or unreadable
// folder gives none; a folder named twice is read once.
std::vector<std::filesystem::path> BaseFiles(const std::vector<std::filesystem::path>& folders);

struct LoadedBases {
    // "Нет" (no characteristics) first, then the block types of the files in file order.
    std::vector<BlockType> blocks;
    // One message per file that could not be read, naming it; the other files still load.
    std::vector<std::string> errors;
};

// Reads the block types of the files: each child of a file's root is a block type, each of
// its children a characteristic; a block type without a characteristic for `kind` is left out.
// Characteristics come visible, with their default settings, not yet evaluated.
LoadedBases LoadBases(const std::vector<std::filesystem::path>& files, ChartKind kind);

// The first block type of that name, or 0 ("Нет") when there is none or the name is empty.
std::size_t FindBlock(const std::vector<BlockType>& blocks, const std::string& name);

} // namespace zarva
