// The hourglass of the desktop program: the store's busy indicator, a scope
// that shows it while a modal job runs, and one that lifts it while the job
// waits for the operator.
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

// While a question or a window waits for the operator in the middle of a
// job, the arrow replaces the hourglass (nothing changes when no job shows
// the hourglass).
class ArrowScope
{
public:
    ArrowScope();
    ~ArrowScope();
    ArrowScope(const ArrowScope&) = delete;
    ArrowScope& operator=(const ArrowScope&) = delete;

private:
    bool m_busy;
};

} // namespace cu
