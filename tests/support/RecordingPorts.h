#pragma once

// Fakes of the core's ports that record what they were asked to do, in order.

#include "core/app/Hourglass.h"
#include "core/app/MainWindowFrame.h"
#include "core/app/MessageBoxes.h"
#include "core/browser/BrowserHost.h"
#include "core/browser/CommandRunner.h"
#include "core/browser/DownloadIndicator.h"
#include "core/browser/FileLauncher.h"
#include "core/browser/TExtraInfo.h"
#include "core/shell/HighlightDisplay.h"
#include "core/shell/StatusLine.h"

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace dv::test {

// One shared log so that tests can check the order of calls across ports.
using CallLog = std::vector<std::string>;

class FakeStatusLine : public StatusLine {
  public:
    void setStatusText(const std::string& text) override { texts.push_back(text); }
    std::string current() const { return texts.empty() ? std::string{} : texts.back(); }
    std::vector<std::string> texts;
};

class FakeHighlights : public HighlightDisplay {
  public:
    void setHighlightVisible(std::string_view name, bool visible) override {
        calls.push_back(std::string(name) + (visible ? "=shown" : "=hidden"));
    }
    std::vector<std::string> calls;
};

// Message boxes that answer from a script instead of waiting for a reader.
class FakeMessageBoxes : public MessageBoxes {
  public:
    explicit FakeMessageBoxes(CallLog* log = nullptr) : log_(log) {}
    void setNextAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    MessageAnswer show(const MessageBoxRequest& request) override {
        shown.push_back(request);
        if (log_)
            log_->push_back("box:" + request.text);
        if (answers_.empty())
            return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
        const MessageAnswer a = answers_.front();
        answers_.pop_front();
        return a;
    }
    std::vector<MessageBoxRequest> shown;

  private:
    CallLog* log_;
    std::deque<MessageAnswer> answers_;
};

class FakeHourglass : public Hourglass {
  public:
    explicit FakeHourglass(CallLog* log = nullptr) : log_(log) {}
    void showHourglass() override { record("hourglass"); }
    void restoreCursor() override { record("arrow"); }
    std::vector<std::string> calls;

  private:
    void record(const std::string& what) {
        calls.push_back(what);
        if (log_)
            log_->push_back(what);
    }
    CallLog* log_;
};

class FakeFrame : public MainWindowFrame {
  public:
    explicit FakeFrame(CallLog& log) : log_(log) {}
    void useBorderedWindow() override { log_.push_back("bordered"); }
    void installMessageHook() override { log_.push_back("hook"); }
    void loadMusic() override { log_.push_back("music"); }

  private:
    CallLog& log_;
};

class FakeBrowserHost : public BrowserHost {
  public:
    explicit FakeBrowserHost(CallLog& log) : log_(log) {}

    bool canCreate = true;
    bool throwOnCreate = false;
    std::optional<std::string> version = std::string("6.0000");
    char separator = ',';

    bool createControl() override {
        log_.push_back("create");
        if (throwOnCreate)
            throw std::runtime_error("no control");
        control_ = canCreate;
        return canCreate;
    }
    void destroyControl() override {
        log_.push_back("destroy");
        control_ = false;
    }
    bool hasControl() const override { return control_; }
    std::optional<std::string> engineVersionText() const override { return version; }
    char decimalSeparator() const override { return separator; }
    void navigate(const std::string& address) override { log_.push_back("navigate:" + address); }

  private:
    CallLog& log_;
    bool control_ = false;
};

class FakeProgressView : public ProgressView {
  public:
    void setProgressVisible(bool v) override {
        visible = v;
        calls.push_back(v ? "show" : "hide");
    }
    void setProgressPosition(int p) override { calls.push_back("pos:" + std::to_string(p)); }
    void setProgressMaximum(int m) override { calls.push_back("max:" + std::to_string(m)); }
    bool visible = false;
    std::vector<std::string> calls;
};

class FakeLauncher : public ProgramLauncher {
  public:
    explicit FakeLauncher(CallLog& log) : log_(log) {}
    std::optional<std::string> nextError;
    std::optional<std::string> open(const std::string& file,
                                    const std::string& parameters) override {
        log_.push_back("open:" + file + "|" + parameters);
        return std::exchange(nextError, std::nullopt);
    }

  private:
    CallLog& log_;
};

class FakeWaitingWindow : public WaitingWindow {
  public:
    explicit FakeWaitingWindow(CallLog& log) : log_(log) {}
    void showWaiting() override { log_.push_back("waiting:shown"); }
    void hideWaiting() override { log_.push_back("waiting:hidden"); }

  private:
    CallLog& log_;
};

class FakeExtraInfoDialog : public ExtraInfoDialog {
  public:
    explicit FakeExtraInfoDialog(CallLog& log) : log_(log) {}
    void setNextAnswer(bool yes) { answers_.push_back(yes); }
    void showNotice(const TExtraInfo& note, const std::string& caption) override {
        log_.push_back("notice:" + caption + "|" + note.Information + "|" + note.Url);
    }
    bool askToStart(const TExtraInfo& note) override {
        log_.push_back("note:" + note.Information);
        if (answers_.empty())
            return false;
        const bool yes = answers_.front();
        answers_.pop_front();
        return yes;
    }

  private:
    CallLog& log_;
    std::deque<bool> answers_;
};

class FakeWindowActions : public MainWindowActions {
  public:
    explicit FakeWindowActions(CallLog& log) : log_(log) {}
    void closeMainWindow() override { log_.push_back("close"); }
    void minimiseApplication() override { log_.push_back("minimise"); }
    bool openInternetSettings() override {
        log_.push_back("inetsettings");
        return settingsProgramInstalled;
    }
    bool settingsProgramInstalled = true;

  private:
    CallLog& log_;
};

} // namespace dv::test
