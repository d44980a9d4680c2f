#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zarva {

class Channel;
class Oscillogram;

enum class Quantity { Current, Voltage };
// The phases and phase pairs a channel may carry; N is the residual (3I0, 3U0).
enum class Phase { A, B, C, AB, BC, CA, N };

struct ChannelRole {
    Quantity quantity;
    Phase phase;
};

// What a channel most likely carries, judged from its unit, its phase field and its name
// ("Ia", "IA1", "I_A", "Ток фазы А", "Uab", "3I0"); none when either part is unclear.
std::optional<ChannelRole> GuessRole(const Channel& channel);

// The name of the first analog channel of the record (computed ones left out) that carries
// that quantity of that phase; empty when there is none.
std::string GuessChannel(const Oscillogram& record, Quantity quantity, Phase phase);

// Whether some channel of the record has exactly that name.
bool NamesChannel(const Oscillogram& record, const std::string& name);

// The guess put into a channel choice that is empty or names no channel of the record.
void GuessInto(std::string& choice, const Oscillogram& record, Quantity quantity, Phase phase);
// The same for phases A, B and C.
void GuessPhases(const Oscillogram& record, Quantity quantity, std::string& a, std::string& b, std::string& c);

} // namespace zarva
