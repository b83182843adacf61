// The hourglass of the desktop program: the store's busy indicator and a
// scope that shows it while a modal job runs.
#pragma once

#include "store/BusyIndicator.h"

namespace cu {

class BusyCursor : public BusyIndicator
{
public:
    void begin() override;
    void end() override;
};

// Shows the hourglass while it lives.
class BusyScope
{
public:
    BusyScope();
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

} // namespace cu
