#pragma once

#include "core/update/OnlineUpdate.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace dv::win32 {

class MessageWindow;

// Update documents parsed and read on a thread of their own with a parser
// of their own (MSXML), one at a time and in the order their answers came;
// each plan comes back on the user-interface thread through a message
// window. The thread starts with the first answer. Plans not yet back when
// it goes are dropped.
class ThreadPlanReading : public PlanReading {
  public:
    ThreadPlanReading();
    ~ThreadPlanReading() override;
    ThreadPlanReading(const ThreadPlanReading&) = delete;
    ThreadPlanReading& operator=(const ThreadPlanReading&) = delete;

    void read(std::string answer, std::function<void(UpdatePlan)> planned) override;

  private:
    struct Job {
        unsigned id;
        std::string answer;
    };

    void work();
    void arrived(unsigned id);

    // Where the worker posts the word that a plan is read.
    std::unique_ptr<MessageWindow> window_;
    std::map<unsigned, std::function<void(UpdatePlan)>> waiting_; // user-interface thread only
    unsigned nextId_ = 1;

    std::mutex lock_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    std::map<unsigned, UpdatePlan> read_;
    bool stopping_ = false;
    std::thread worker_;
};

} // namespace dv::win32
