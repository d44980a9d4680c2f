#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "core/document/Document.h"

namespace zarva::cli {

int ConvertCommand(const std::vector<std::string>& words, std::ostream&, std::ostream& err)
{
    const Arguments arguments = Arguments::Parse(words, {"--type"}, {});
    if (arguments.positional.size() != 2)
        throw CliError("usage: zarva-cli convert RECORD OUT.cfg|OUT.cff|OUT.zip [--type ascii|binary|binary32|float32]");
    Document document;
    OpenRecord(document, arguments.positional[0], &err);
    SaveRecordAs(document, arguments.positional[1], arguments.Option("--type"));
    return 0;
}

} // namespace zarva::cli
