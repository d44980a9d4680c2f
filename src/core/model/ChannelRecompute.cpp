#include "core/model/Channel.h"

#include "core/document/Document.h"

namespace zarva {

void Channel::RecomputeAnalog()
{
    UpdateDisplayRatio();
    owner->oscillogram.SamplesPerPeriod(*this);
}

} // namespace zarva
