#pragma once

#include "core/charbase/Figure.h"
#include "core/model/Colour.h"

#include <memory>
#include <string>
#include <vector>

namespace zarva {

// A setting of a characteristic, edited by the user as text (a number or an expression
// over the parameters before it).
struct Parameter {
    std::string name;
    std::string defaultValue;
    std::string value;
};

struct Variable {
    std::string name;
    std::string expression;
};

// One characteristic of a relay block: settings, derived variables and the figures whose
// regions combine into the operating region (figures with on set) and the return region.
class Characteristic {
public:
    Characteristic() = default;
    Characteristic(const Characteristic& other);
    Characteristic& operator=(const Characteristic& other);
    Characteristic(Characteristic&&) noexcept = default;
    Characteristic& operator=(Characteristic&&) noexcept = default;
    ~Characteristic() = default;

    std::string name;
    std::string dimension;  // "DIF" for the differential plane, anything else the impedance plane
    std::vector<Parameter> parameters;
    std::vector<Variable> variables;
    std::vector<std::unique_ptr<Figure>> figures;
    bool visible = true;
    int colourIndex = 0;  // position among its block type's characteristics
    // Set by Recalculate: false until it succeeds and after an error, and then nothing is drawn.
    bool evaluated = false;
};

// A relay block type: the characteristics the user chooses among in the grid.
struct BlockType {
    std::string name;
    std::vector<Characteristic> characteristics;
};

// Evaluates every characteristic of the block in turn: its parameters' current values, then
// its variables, each stored under its name in lower case (an expression finds a name only
// written in lower case), then its figures. A characteristic that fails is left undrawn and
// the others go on; the messages of the failures, each naming its characteristic, are returned.
std::vector<std::string> Recalculate(BlockType& block);

// One step of building a characteristic's region: the first step's shape is the start, every
// later one is merged into the running region by its combine code.
struct RegionStep {
    Combine combine = Combine::Or;
    DeviceShape shape;
};

// The steps for the operating (on) or the return (!on) region, in figure order. Empty when
// the characteristic has no such figure or is not evaluated.
std::vector<RegionStep> RegionSteps(const Characteristic& characteristic, bool on, const DeviceFrame& frame);

// The largest absolute plane coordinate the evaluated characteristic's regions reach (scale 1);
// figures that are intersected with or taken from a region do not count.
double CharacteristicExtent(const Characteristic& characteristic);
// The same over the block's visible characteristics.
double VisibleExtent(const BlockType& block);

// The colours of a characteristic's entry in the colour table (indexed modulo its size).
struct CharacteristicColours {
    Colour operatingFrame;
    Colour returnFrame;
    Colour operatingFill;
    Colour legendFill;
};
const CharacteristicColours& ColoursOf(int colourIndex);

// The alpha of the operating fill drawn over the region.
constexpr int kOperatingFillAlpha = 0x32;

} // namespace zarva
