#pragma once

#include <string>

namespace dv {

// The disc's label, "" for none, "ERROR" when it cannot be read.
class VolumeInfo {
  public:
    virtual ~VolumeInfo() = default;
    virtual std::string getDiscName() = 0;
};

} // namespace dv
