// The one kind of failure assetgen reports: a one-line message naming the file (and line) at fault.
#pragma once

#include <stdexcept>
#include <string>

namespace assetgen {

class AssetError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A place in a source file, so every complaint points the artist at the right line.
struct SourcePlace {
    std::string File;
    int Line = 0;
};

[[noreturn]] inline void FailAt(const SourcePlace& place, const std::string& message) {
    throw AssetError(place.File + ":" + std::to_string(place.Line) + ": " + message);
}

[[noreturn]] inline void FailIn(const std::string& file, const std::string& message) {
    throw AssetError(file + ": " + message);
}

}  // namespace assetgen
