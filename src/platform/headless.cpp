#include "platform/headless.h"

#include <algorithm>

namespace volley {

bool HeadlessKeyboard::Query(GameKey key) {
    size_t i = Index(key);
    ++queries_[i];
    bool answer = held_[i] || latched_[i];
    latched_[i] = false;
    return answer;
}

bool HeadlessEvents::Pump() {
    ++pumps_;
    if (OnPump) {
        OnPump();
    }
    return closeRequested_;
}

void HeadlessText::Render(std::string_view utf8, int pixelSize, TextImage& out) {
    ++renders_;
    int characters = 0;
    for (char c : utf8) {
        // Count code points, not bytes: continuation bytes are 10xxxxxx.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++characters;
        }
    }
    const int cell = pixelSize / 2;
    out.Width = characters * cell;
    out.Height = pixelSize;
    out.Coverage.assign(static_cast<size_t>(out.Width) * out.Height, 0);
    for (int c = 0; c < characters; ++c) {
        for (int y = 0; y < out.Height; ++y) {
            out.Coverage[static_cast<size_t>(y) * out.Width + c * cell] = 255;
        }
    }
}

bool HeadlessJoysticks::Read(int device, JoyReading& out) {
    ++reads_;
    if (device < 0 || device >= count_ || failing_[device]) {
        return false;
    }
    out = readings_[device];
    return true;
}

void HeadlessJoysticks::Set(int device, const JoyReading& reading) {
    readings_[device] = reading;
    count_ = std::max(count_, device + 1);
}

void HeadlessJoysticks::Unplug(int device) {
    if (device < 0 || device >= count_) {
        return;
    }
    for (int d = device; d + 1 < count_; ++d) {
        readings_[d] = readings_[d + 1];
        failing_[d] = failing_[d + 1];
    }
    --count_;
    readings_[count_] = JoyReading{};
    failing_[count_] = false;
}

int HeadlessMusic::Load(const std::string& path) {
    int handle = 0;
    if (std::find(Missing.begin(), Missing.end(), path) == Missing.end()) {
        auto known = std::find(loaded_.begin(), loaded_.end(), path);
        if (known == loaded_.end()) {
            known = loaded_.insert(loaded_.end(), path);
        }
        handle = static_cast<int>(known - loaded_.begin()) + 1;
    }
    if (Record) {
        Calls.push_back("load " + path + " -> " + std::to_string(handle));
    }
    return handle;
}

bool HeadlessWindow::Open(const WindowSpec& request, std::string&) {
    request_ = request;
    request_.Icon = nullptr;  // the caller's icon need not outlive the call
    last_ = Surface(request.ClientWidth, request.ClientHeight);
    open_ = true;
    return true;
}

void HeadlessWindow::Present(const Surface& band, const Surface& play) {
    ++PresentCount;
    Blit(last_, 0, 0, band, 0, 0, band.Width, band.Height, RasterOp::Copy);
    Blit(last_, 0, band.Height, play, 0, 0, play.Width, play.Height, RasterOp::Copy);
    if (RecordTimes && TimeSource != nullptr) {
        PresentTimes.push_back(TimeSource->NowMs());
    }
}

}  // namespace volley
