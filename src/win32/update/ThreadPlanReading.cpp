#include "win32/update/ThreadPlanReading.h"

#include "win32/support/MessageWindow.h"
#include "win32/update/MsXmlParser.h"

namespace dv::win32 {

namespace {

constexpr UINT kPlanned = WM_APP + 2;

} // namespace

ThreadPlanReading::ThreadPlanReading()
    : window_(std::make_unique<MessageWindow>([this](UINT message, WPARAM wParam, LPARAM) {
          if (message != kPlanned)
              return false;
          arrived(static_cast<unsigned>(wParam));
          return true;
      })) {}

ThreadPlanReading::~ThreadPlanReading() {
    {
        const std::lock_guard guard(lock_);
        stopping_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

void ThreadPlanReading::read(std::string answer, std::function<void(UpdatePlan)> planned) {
    const unsigned id = nextId_++;
    waiting_.emplace(id, std::move(planned));
    {
        const std::lock_guard guard(lock_);
        jobs_.push_back({id, std::move(answer)});
    }
    if (!worker_.joinable())
        worker_ = std::thread([this] { work(); });
    wake_.notify_one();
}

void ThreadPlanReading::work() {
    const HWND window = window_->hwnd();
    MsXmlParser parser;
    for (;;) {
        Job job;
        {
            std::unique_lock guard(lock_);
            wake_.wait(guard, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_)
                return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        UpdatePlan plan = readUpdatePlan(parser, job.answer);
        {
            const std::lock_guard guard(lock_);
            read_.emplace(job.id, std::move(plan));
        }
        PostMessageW(window, kPlanned, job.id, 0);
    }
}

void ThreadPlanReading::arrived(unsigned id) {
    UpdatePlan plan;
    {
        const std::lock_guard guard(lock_);
        const auto found = read_.find(id);
        if (found == read_.end())
            return;
        plan = std::move(found->second);
        read_.erase(found);
    }
    const auto waiting = waiting_.find(id);
    if (waiting == waiting_.end())
        return;
    const std::function<void(UpdatePlan)> planned = std::move(waiting->second);
    waiting_.erase(waiting);
    planned(std::move(plan));
}

} // namespace dv::win32
