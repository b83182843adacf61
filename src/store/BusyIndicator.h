// What the store shows while it reads or writes: the desktop program sets the
// hourglass cursor, the command line and the tests show nothing. The store
// library has no widgets, so the windows hand it an implementation.
#pragma once

namespace cu {

class BusyIndicator
{
public:
    virtual ~BusyIndicator() = default;
    // Calls nest: the indicator is shown by the outermost begin and taken
    // away by the matching end.
    virtual void begin() = 0;
    virtual void end() = 0;
};

} // namespace cu
