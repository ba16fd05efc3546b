// Recipe files: "key = value ..." lines that hold the knobs of a procedural picture.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "asset_error.h"
#include "image.h"

namespace assetgen {

class Params {
  public:
    // Fails on a line without '=', a key without values, or a key given twice.
    static Params Parse(std::string_view text, const std::string& file);

    // Each getter fails naming the file (and the key's line) when the key is missing, has the
    // wrong number of values, or a value is out of [min, max].
    int Integer(const std::string& key, int min, int max) const;
    std::vector<int> Integers(const std::string& key, size_t count, int min, int max) const;
    double Number(const std::string& key, double min, double max) const;
    // count == 0 accepts any non-empty list.
    std::vector<double> Numbers(const std::string& key, size_t count, double min, double max) const;
    Rgb Colour(const std::string& key) const;
    std::vector<Rgb> Colours(const std::string& key, size_t count) const;
    std::string Word(const std::string& key) const;

    // Where the key was given, for complaints found later (it must exist).
    SourcePlace PlaceOf(const std::string& key) const;

    // A key nobody asked for is almost always a misspelt one: fail rather than ignore it.
    void RejectUnread() const;

  private:
    struct Entry {
        SourcePlace Place;
        std::vector<std::string> Values;
        mutable bool Read = false;
    };

    const Entry& Find(const std::string& key, size_t count) const;

    std::string file_;
    std::map<std::string, Entry> entries_;
};

}  // namespace assetgen
