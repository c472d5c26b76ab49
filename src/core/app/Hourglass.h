#pragma once

namespace dv {

// The busy pointer over the whole program.
class Hourglass {
  public:
    virtual ~Hourglass() = default;
    virtual void showHourglass() = 0;
    virtual void restoreCursor() = 0;
};

// For work nobody watches: tools and benchmarks.
class NoHourglass : public Hourglass {
  public:
    void showHourglass() override {}
    void restoreCursor() override {}
};

} // namespace dv
