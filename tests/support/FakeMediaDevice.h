#pragma once

// A scriptable media device and volume control for the player's flows.

#include "core/music/MediaDevice.h"
#include "core/music/PlayerView.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace dv::test {

class FakeMediaDevice : public MediaDevice {
  public:
    std::vector<std::string> log;
    std::optional<std::string> openError; // the device's text when open fails
    long trackLength = 187000;
    long trackPosition = 0;
    PlayerMode currentMode = PlayerMode::NotReady;
    bool open_ = false;

    void setTimeFormatMilliseconds() override { log.push_back("timeformat"); }
    void requestNotify() override { log.push_back("notify"); }
    void open(const std::string& path) override {
        log.push_back("open " + path);
        if (openError)
            throw std::runtime_error(*openError);
        if (path.empty())
            throw std::runtime_error("Ingen fil angavs.");
        open_ = true;
        currentMode = PlayerMode::Stopped;
    }
    void close() override {
        log.push_back("close");
        open_ = false;
        currentMode = PlayerMode::NotReady;
    }
    void play() override {
        log.push_back("play");
        if (!open_)
            throw std::runtime_error("Enheten är inte öppen.");
        currentMode = PlayerMode::Playing;
    }
    void stop() override {
        log.push_back("stop");
        currentMode = open_ ? PlayerMode::Stopped : PlayerMode::NotReady;
    }
    void seek(long ms) override {
        log.push_back("seek " + std::to_string(ms));
        if (!open_)
            throw std::runtime_error("Enheten är inte öppen.");
        trackPosition = ms;
        currentMode = PlayerMode::Stopped;
    }
    bool isOpen() const override { return open_; }
    long length() const override {
        if (!open_)
            throw std::runtime_error("Enheten är inte öppen.");
        return trackLength;
    }
    long position() const override {
        if (!open_)
            throw std::runtime_error("Enheten är inte öppen.");
        return trackPosition;
    }
    PlayerMode mode() const override { return currentMode; }
};

class FakeVolume : public AudioVolume {
  public:
    int volume = 65535; // -1: no volume control
    std::vector<int> set;
    int GetVolume() override { return volume; }
    void SetVolume(int v) override {
        if (volume >= 0)
            volume = v;
        set.push_back(v);
    }
};

class FakePlayerView : public PlayerView {
  public:
    std::string title;
    bool positionDisplay = false;
    std::string positionText;
    int bar = -1;
    bool knobVisible = false;
    int left = 0;
    std::string hint;
    void setTitleLine(const std::string& t) override { title = t; }
    void setPositionDisplayVisible(bool v) override { positionDisplay = v; }
    void setPositionText(const std::string& t) override { positionText = t; }
    void setPositionBar(int p) override { bar = p; }
    void setKnobVisible(bool v) override { knobVisible = v; }
    void setKnobLeft(int l) override { left = l; }
    int knobLeft() const override { return left; }
    void setKnobHint(const std::string& h) override { hint = h; }
};

} // namespace dv::test
