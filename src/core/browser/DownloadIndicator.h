#pragma once

namespace dv {

// The page-loading progress bar of the main window.
class ProgressView {
  public:
    virtual ~ProgressView() = default;
    virtual void setProgressVisible(bool visible) = 0;
    virtual void setProgressPosition(int position) = 0;
    virtual void setProgressMaximum(int maximum) = 0;
};

// Follows the browser's download events: the bar shows while a download runs
// and carries the raw progress figures the browser reports.
class DownloadIndicator {
  public:
    explicit DownloadIndicator(ProgressView& view) : view_(view) {}

    void downloadBegin();
    void downloadComplete();
    // A progress of -1 means the browser is done, even between begin and complete.
    void progressChange(int progress, int maximum);

  private:
    ProgressView& view_;
};

} // namespace dv
