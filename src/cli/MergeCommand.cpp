#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "core/document/Document.h"
#include "core/merge/ChannelPaste.h"
#include "core/merge/ClipboardDocument.h"
#include "core/merge/RecordMerge.h"
#include "core/merge/Synchronisation.h"
#include "core/model/StringTable.h"
#include "core/model/ValueText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>

namespace zarva::cli {
namespace {

constexpr const char* kUsage =
    "usage: zarva-cli merge A B --channels NAME,... [--method time|fault|prefault] [--ref CH --other CH] "
    "[--cursor SAMPLE] --out OUT.cfg [--json]";
constexpr std::array<const char*, 3> kMethods = {"time", "fault", "prefault"};

SyncMethod MethodNamed(const std::string* name)
{
    for (std::size_t i = 0; i < kMethods.size(); ++i) {
        if (name == nullptr ? i == 0 : *name == kMethods[i])
            return static_cast<SyncMethod>(i);
    }
    throw CliError(kUsage);
}

std::vector<std::string> Names(const std::string& list)
{
    std::vector<std::string> names;
    std::istringstream stream(list);
    for (std::string name; std::getline(stream, name, ',');)
        names.push_back(name);
    return names;
}

// Selects the named channels of B; returns the names of the analog ones in B's order, which
// is the order they are pasted in.
std::vector<std::string> SelectChannels(Oscillogram& record, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        record.channels[record.FindChannel(name)].selected = true;
    std::vector<std::string> analog;
    for (const Channel& channel : record.channels) {
        if (channel.selected && channel.IsAnalog())
            analog.push_back(channel.name);
    }
    return analog;
}

// The record's own analog channel named so, else its first one.
std::string ReferenceChannel(const Oscillogram& record, const std::string* name)
{
    if (name != nullptr)
        return *name;
    for (const Channel& channel : record.channels) {
        if (channel.IsAnalog() && !channel.HasFlag(display::kPasted))
            return channel.name;
    }
    return {};
}

// The pasted channel that B's channel `name` became (the first pasted analog without one).
std::string PastedChannel(const Oscillogram& record, std::size_t firstPasted, const std::vector<std::string>& copied,
                          const std::string* name)
{
    std::size_t position = 0;
    if (name != nullptr) {
        position = static_cast<std::size_t>(std::find(copied.begin(), copied.end(), *name) - copied.begin());
        if (position == copied.size())
            throw CliError("--other names no analog channel given with --channels: " + *name);
    }
    return firstPasted + position < record.channels.size() ? record.channels[firstPasted + position].name : "";
}

std::int64_t Cursor(const Arguments& arguments, SyncMethod method)
{
    const std::string* cursor = arguments.Option("--cursor");
    if (cursor == nullptr && method != SyncMethod::StartTime)
        throw CliError("--method fault and prefault need --cursor SAMPLE");
    return cursor == nullptr ? 0 : static_cast<std::int64_t>(ParseCount("--cursor", *cursor));
}

// Two decimals, rounded first so that a small negative offset does not read "-0.00".
std::string SamplesText(double samples)
{
    return FixedText(std::round(samples * 100.0) / 100.0 + 0.0, 2);
}

} // namespace

int MergeCommand(const std::vector<std::string>& words, std::ostream& out, std::ostream& err)
{
    const Arguments arguments =
        Arguments::Parse(words, {"--channels", "--method", "--ref", "--other", "--cursor", "--out"}, {"--json"});
    const std::string* channels = arguments.Option("--channels");
    const std::string* target = arguments.Option("--out");
    if (arguments.positional.size() != 2 || channels == nullptr || target == nullptr)
        throw CliError(kUsage);
    const SyncMethod method = MethodNamed(arguments.Option("--method"));
    const std::int64_t cursor = Cursor(arguments, method);

    Document document;
    OpenRecord(document, arguments.positional[0], &err);
    Document other;
    OpenRecord(other, arguments.positional[1], &err);
    const std::vector<std::string> copied = SelectChannels(other.oscillogram, Names(*channels));
    Oscillogram& record = document.oscillogram;
    const std::size_t firstPasted = record.channels.size();
    const double rate = record.sampleRate;
    PasteChannels(document, ParseClipboardText(ClipboardText(other.oscillogram)));

    // The signal methods look near the cursor for what the start moments put there.
    if (method != SyncMethod::StartTime)
        SynchroniseByStartTime(document);
    const SyncOutcome outcome =
        Synchronise(document, method, ReferenceChannel(record, arguments.Option("--ref")),
                    PastedChannel(record, firstPasted, copied, arguments.Option("--other")), cursor);
    if (!outcome.offsetChanged) {
        const int message = outcome.errorMessage != 0 ? outcome.errorMessage : outcome.statusText;
        throw CliError(message != 0 ? Text(message) : std::string("no channels to synchronise"));
    }
    const double offset = document.merge.mergeOffset;
    const std::string status = Text(outcome.statusText);
    MergeRecord(document);
    SaveRecordAs(document, *target);

    if (arguments.Has("--json")) {
        out << "{\"offset_us\": " << JsonNumber(offset * 1e6) << ", \"offset_samples\": " << JsonNumber(offset * rate)
            << ", \"method\": " << JsonString(kMethods[static_cast<std::size_t>(method)])
            << ", \"status\": " << JsonString(status) << ", \"rate\": " << record.sampleRate
            << ", \"samples\": " << record.SampleCount() << "}\n";
    } else {
        out << "Offset: " << FormatNumber(offset * 1e6) << " us (" << SamplesText(offset * rate) << " samples)\n"
            << status << "\n";
    }
    return 0;
}

} // namespace zarva::cli
