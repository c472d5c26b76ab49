#pragma once

#include "ServiceSettings.h"

#include <string>
#include <vector>

namespace dv {

// dvcd-update-service [OPTIONS] FOLDER [PORT] [ADDRESS]
struct ServiceCommandLine {
    std::string folder;
    int port = 8080;
    std::string address = "127.0.0.1";
    ServiceSettings settings;
    bool help = false;
    std::string error; // set when the arguments cannot be used

    static ServiceCommandLine parse(const std::vector<std::string>& arguments);
    static const char* const kUsage;
};

} // namespace dv
