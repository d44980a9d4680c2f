#pragma once

#include <filesystem>

namespace zarva {

class Document;
class Oscillogram;

// Reads an OSC2 record (".osc") into the document's Oscillogram as the COMTRADE reader does:
// samples, times, rate segments, the record's settings file, then every channel recomputed.
// The whole file is kept in oscBytes so that it can be saved back unchanged. Runs on the
// loading thread, advancing document.progress and returning early when cancelled. A
// malformed file raises error 330 with its path; an unreadable one FileException.
//
// The file is a sequence of 128-byte blocks; numbers are big-endian, reals IEEE single.
//
//   Block 0, header:
//     0  4  "OSC2"
//     4  1  major version (2)           5  1  minor version
//     6  2  header blocks H: the blocks before the first data block
//     8  2  analog channels A (at most 16)
//    10  2  discrete channels D
//    12  4  zero sample (signed): the sample at which relative time is zero
//   Blocks 1 .. I, information (I = 1 for A <= 8, else 2): per analog channel 16 bytes,
//     eight to a block: gain (value per ADC code), offset, primary, secondary.
//   Blocks 1+I .. H-2, text: one line per channel, analog ones first, 8-bit Windows-1251,
//     ended by LF (CR LF allowed), NUL padding after the last:
//       analog   "An,name,phase,circuit,unit"
//       discrete "Dn,name,phase,circuit,normal state"
//   Block H-1, date and time: the start at 0, the trigger at 16, each as year (2), month,
//     day, hour, minute, second (1 each), one spare byte, milliseconds (2).
//   Blocks H .. end, data: period code (2; the sampling period in ticks of a 1.2 MHz
//     clock), sample count S (2), then S samples of A signed 16-bit codes followed by
//     ceil(D/16) 16-bit words of discrete states (bit k of word w: channel 16w+k). A change
//     of period code starts a new rate segment.
void ReadOsc2(Document& document, const std::filesystem::path& path);

// The facts of an OSC2 record that precede its samples (station, recorder, moments, channels),
// read without touching the data blocks. Errors as ReadOsc2.
void ReadOsc2Head(Oscillogram& record, const std::filesystem::path& path);

namespace osc2 {
constexpr std::size_t kBlockSize = 128;
constexpr double kClockHz = 1200000.0;
constexpr std::size_t kMaxAnalog = 16;
} // namespace osc2

} // namespace zarva
