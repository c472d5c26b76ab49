#pragma once

namespace dv {

// The busy pointer over the whole program.
class Hourglass {
public:
    virtual ~Hourglass() = default;
    virtual void showHourglass() = 0;
    virtual void restoreCursor() = 0;
};

} // namespace dv
