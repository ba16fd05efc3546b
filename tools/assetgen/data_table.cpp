#include "data_table.h"

#include <algorithm>

#include "source_text.h"
#include "sprite_sheet.h"

namespace assetgen {
namespace {

size_t TableIndex(const std::string& name, const SourcePlace& place) {
    const auto found = std::find(kTableNames.begin(), kTableNames.end(), name);
    if (found == kTableNames.end()) {
        FailAt(place, "unknown table '" + name +
                          "' (expected PlayerShotTypes, EnemyTypes or EnemyShotTypes)");
    }
    return static_cast<size_t>(found - kTableNames.begin());
}

SheetRect RectOfSprite(const std::string& name, const SourcePlace& place,
                       const std::vector<Sprite>& sprites) {
    const std::optional<CellRect> cell = FindCell(sprites, name);
    if (!cell) {
        FailAt(place, "no sprite is named '" + name + "'");
    }
    return {cell->X, cell->Y, cell->Width, cell->Height};
}

SheetRect ReadRect(const std::vector<std::string>& words, const SourcePlace& place) {
    const SheetRect rect{ParseInteger(words[2], place, "x"), ParseInteger(words[3], place, "y"),
                         ParseInteger(words[4], place, "width"),
                         ParseInteger(words[5], place, "height")};
    if (rect.X < 0 || rect.Y < 0 || rect.Width < 1 || rect.Height < 1 ||
        rect.X + rect.Width > kSheetWidth || rect.Y + rect.Height > kSheetHeight) {
        FailAt(place, "rectangle " + words[2] + " " + words[3] + " " + words[4] + " " + words[5] +
                          " is not wholly on the " + std::to_string(kSheetWidth) + "x" +
                          std::to_string(kSheetHeight) + " sheet");
    }
    return rect;
}

void PutLE16(std::vector<uint8_t>& bytes, size_t offset, int value) {
    const auto word = static_cast<uint16_t>(static_cast<int16_t>(value));
    bytes[offset] = static_cast<uint8_t>(word);
    bytes[offset + 1] = static_cast<uint8_t>(word >> 8);
}

}  // namespace

RectTables ParseRectTables(std::string_view text, const std::string& file,
                           const std::vector<Sprite>& sprites) {
    RectTables tables{};
    std::array<std::array<int, kRecordsPerTable>, kTableNames.size()> defined_on{};
    for (const SourceLine& line : SplitSourceLines(text, file)) {
        const std::vector<std::string> words = SplitWords(line.Text);
        if (words.size() != 6 && words.size() != 3) {
            FailAt(line.Place,
                   "expected '<table> <index> <x> <y> <width> <height>' or "
                   "'<table> <index> <sprite>'");
        }
        const size_t table = TableIndex(words[0], line.Place);
        const int index = ParseInteger(words[1], line.Place, "index");
        if (index < 0 || index >= kRecordsPerTable) {
            FailAt(line.Place, "index " + words[1] + " is outside 0 .. " +
                                   std::to_string(kRecordsPerTable - 1));
        }
        int& first_line = defined_on[table][static_cast<size_t>(index)];
        if (first_line != 0) {
            FailAt(line.Place, words[0] + " " + words[1] + " is already given on line " +
                                   std::to_string(first_line));
        }
        first_line = line.Place.Line;
        tables[table][static_cast<size_t>(index)] =
            words.size() == 3 ? RectOfSprite(words[2], line.Place, sprites)
                              : ReadRect(words, line.Place);
    }
    return tables;
}

std::vector<uint8_t> EncodeDataFile(const RectTables& tables) {
    std::vector<uint8_t> bytes(kDataFileSize, 0);
    for (size_t table = 0; table < tables.size(); ++table) {
        for (size_t index = 0; index < tables[table].size(); ++index) {
            const SheetRect& rect = tables[table][index];
            const size_t offset = table * kTableSize + index * kRecordSize;
            PutLE16(bytes, offset, rect.X);
            PutLE16(bytes, offset + 2, rect.Y);
            PutLE16(bytes, offset + 4, rect.Width);
            PutLE16(bytes, offset + 6, rect.Height);
        }
    }
    return bytes;
}

}  // namespace assetgen
