#pragma once

#include "core/update/HttpClient.h"
#include "core/update/VolumeInfo.h"

#include <functional>
#include <string>
#include <utility>

namespace dv {

class StatusLine;

// The address of the update document for a disc. The id is appended with
// only what would change the address's meaning percent-encoded (see
// encodeQueryValue): a blank goes as %20, so "ABC 2004" asks for
// "ABC%202004", which the service decodes back to "ABC 2004".
std::string updateRequestUrl(const std::string& serviceBase, const std::string& discId);

// Asks the update service about this disc (DoAutoUpdate). Only a success's
// body is handed on as the answer; anything else is handed on as an empty
// text, which is no document: a failed update.
class UpdateRequest {
  public:
    UpdateRequest(std::string serviceBase, VolumeInfo& volume, HttpClient& http, StatusLine& status,
                  std::function<void(const std::string&)> answered)
        : base_(std::move(serviceBase)), volume_(volume), http_(http), status_(status),
          answered_(std::move(answered)) {}

    void DoAutoUpdate();

  private:
    std::string base_;
    VolumeInfo& volume_;
    HttpClient& http_;
    StatusLine& status_;
    std::function<void(const std::string&)> answered_;
};

} // namespace dv
