#include "support/FakeConverter.h"

extern "C" zarva::ComtradeConverter* ZarvaCreateComtradeConverter(std::size_t fileSize,
                                                                  zarva::ConversionProgress* progress)
{
    return new zarva::test::FakeConverter(fileSize, progress, nullptr);
}
