#include "table_checks.h"

#include <algorithm>
#include <array>
#include <string>

#include "game/game.h"
#include "player/player_rules.h"

namespace volley {

namespace {

// The ship's wreck falls this far below where it was hit: seven cells of three frames, four rows
// a frame.
constexpr int kFallAfterHit = 7 * 3 * 4;
// An exploding enemy falls the same four rows at each visit, but its cells advance only at every
// third visit of any exploding enemy (the delay is one for all), so with several explosions at once
// it falls for longer. A fall of a hundred frames is far beyond any seen.
constexpr int kLongestBlastFall = 100 * 4;
// Ship shots leave only by the top: sideways and bomb fragments may drift this far beyond the
// field's sides and start this far below the ship.
constexpr int kShotDrift = 400;
constexpr int kFragmentDrop = 200;
// No pattern moves anything faster than this along an axis.
constexpr int kFastest = 64;
// The energy of a ship that took the hardest hit (50) with one point left.
constexpr int kLowestEnergy = 1 - 50;
constexpr std::array<int16_t, 9> kBossKinds{0, 21, 22, 23, 25, 26, 27, 28, 31};

// Collects the first field found out of its range.
class Checker {
  public:
    void Range(const char* field, long value, long low, long high) {
        if (failure_.empty() && (value < low || value > high)) {
            failure_ = std::string(field) + " = " + std::to_string(value) + ", outside " +
                       std::to_string(low) + " .. " + std::to_string(high);
        }
    }
    void Slot(const char* table, int index, const char* field, long value, long low, long high) {
        if (failure_.empty() && (value < low || value > high)) {
            Range((std::string(table) + "[" + std::to_string(index) + "]." + field).c_str(), value,
                  low, high);
        }
    }
    void True(const char* what, bool holds) {
        if (failure_.empty() && !holds) {
            failure_ = what;
        }
    }
    // Adds what else is known of the slot to a failure found in it.
    void Detail(bool failedBefore, const Enemy& e) {
        if (!failedBefore && !failure_.empty()) {
            failure_ += " (State " + std::to_string(e.State) + ", Kind " +
                        std::to_string(RowOf(e.Kind)) + ", Age " + std::to_string(e.Age) + ")";
        }
    }
    bool Failed() const { return !failure_.empty(); }
    const std::string& Failure() const { return failure_; }

  private:
    std::string failure_;
};

bool HasSprite(const SpriteRect& cell) {
    return cell.Width > 0 && cell.Height > 0;
}

void CheckState(Checker& c, const Game& g) {
    c.Range("MaxStage", g.MaxStage, 1, kStageCount);
    c.Range("Stage", g.Stage, 1, g.MaxStage);
    c.Range("Score", g.Score, 0, INT32_MAX);
    c.Range("TotalScore", g.TotalScore, 0, INT32_MAX);
    for (int32_t hiScore : g.HiScores) {
        c.Range("HiScores[]", hiScore, 0, INT32_MAX);
    }
    c.Range("StageBonus", g.StageBonus, 0, 20000);
    c.True("BossKind is not a boss",
           std::find(kBossKinds.begin(), kBossKinds.end(), RowOf(g.BossKind)) != kBossKinds.end());
    c.Range("StageFrame", g.StageFrame, 1, INT32_MAX);
    c.Range("ScriptToggle", g.ScriptToggle, 0, 5);
    c.Range("ContactGuardFrames", g.ContactGuardFrames, 0, 19);
    c.True("ContactGuardFrames counts with the guard down",
           g.ContactGuard || g.ContactGuardFrames == 0);
    c.Range("CurEnemy", g.CurEnemy, 0, kEnemySlots - 1);
    c.Range("CurShot", g.CurShot, 0, kEnemyShotSlots - 1);
    c.True("a label flag was left raised after the frame",
           std::none_of(g.LabelDirty.begin(), g.LabelDirty.end(), [](bool d) { return d; }));
}

void CheckPlayer(Checker& c, const Game& g) {
    const int lowest = g.ScreenHeight - kShipBottomMargin + (g.PlayerDown ? kFallAfterHit : 0);
    c.Range("PlayerX", g.PlayerX, 0, g.ScreenWidth - kShipSize);
    c.Range("PlayerY", g.PlayerY, 0, lowest);
    c.Range("PowerLevel", g.PowerLevel, 1, 5);
    c.Range("PowerGuard", g.PowerGuard, 1, 7);
    c.Range("PlayerSpeed", g.PlayerSpeed, 8, 8);
    c.Range("Bombs", g.Bombs, 0, 99);
    c.Range("PlayerFrame", g.PlayerFrame, 0, 4);
    c.Range("PlayerEnergy", g.PlayerEnergy, g.PlayerDown ? kLowestEnergy : 1, kFullEnergy);
    c.Range("ShotTimer", g.ShotTimer, 0, 3);
    c.Range("BombTimer", g.BombTimer, 0, 40);
    c.Range("WreckDelay", g.WreckDelay, 0, 2);
    c.Range("WreckFrame", g.WreckFrame, 0, 6);
    c.Range("BlastDelay", g.BlastDelay, 0, 2);
}

void CheckEnemies(Checker& c, const Game& g) {
    for (int i = 0; i < kEnemySlots; ++i) {
        const Enemy& e = g.Enemies[i];
        c.Slot("Enemies", i, "State", e.State, 0, 2);
        if (e.State == 0) {
            continue;
        }
        c.Slot("Enemies", i, "Kind", RowOf(e.Kind), 0, kSpriteKinds - 1);
        c.True("an enemy of a kind without a sprite", HasSprite(g.EnemyTypes[e.Kind]));
        const bool failedBefore = c.Failed();
        if (e.State == 1) {
            // One that left the field in its move was freed.
            c.Slot("Enemies", i, "X", e.X, 0, g.ScreenWidth);
            c.Slot("Enemies", i, "Y", e.Y, 0, g.ScreenHeight);
        } else {
            // One that rammed the ship explodes where it stands, even one step outside the field.
            c.Slot("Enemies", i, "X", e.X, -kFastest, g.ScreenWidth + kFastest);
            c.Slot("Enemies", i, "Y", e.Y, -kFastest,
                   g.ScreenHeight + kFastest + kLongestBlastFall);
        }
        c.Slot("Enemies", i, "VX", e.VX, -kFastest, kFastest);
        c.Slot("Enemies", i, "VY", e.VY, -kFastest, kFastest);
        c.Slot("Enemies", i, "HP", e.HP, e.State == 1 ? 1 : INT16_MIN, 500);
        c.Slot("Enemies", i, "ContactDamage", e.ContactDamage, 0, 50);
        c.Slot("Enemies", i, "Score", e.Score, 0, 200000);
        c.Slot("Enemies", i, "MoveFlag", e.MoveFlag, 0, 1);
        c.Slot("Enemies", i, "FireStep", e.FireStep, 0, 10);
        c.Slot("Enemies", i, "Age", e.Age, 0, INT32_MAX);
        c.Slot("Enemies", i, "BlastFrame", e.BlastFrame, 0, 6);
        c.Detail(failedBefore, e);
    }
}

void CheckEnemyShots(Checker& c, const Game& g) {
    for (int i = 0; i < kEnemyShotSlots; ++i) {
        const EnemyShot& s = g.EnemyShots[i];
        c.Slot("EnemyShots", i, "State", s.State, 0, 1);
        if (s.State == 0) {
            continue;
        }
        c.Slot("EnemyShots", i, "Kind", RowOf(s.Kind), 0, kSpriteKinds - 1);
        c.True("an enemy shot of a kind without a sprite", HasSprite(g.EnemyShotTypes[s.Kind]));
        c.Slot("EnemyShots", i, "X", s.X, 0, g.ScreenWidth);
        c.Slot("EnemyShots", i, "Y", s.Y, 0, g.ScreenHeight);
        c.Slot("EnemyShots", i, "VX", s.VX, -kFastest, kFastest);
        c.Slot("EnemyShots", i, "VY", s.VY, -kFastest, kFastest);
        c.True("an enemy shot of another damage than 5, 10, 20 or 50",
               s.Damage == 5 || s.Damage == 10 || s.Damage == 20 || s.Damage == 50);
    }
}

void CheckPlayerShots(Checker& c, const Game& g) {
    for (int i = 0; i < kPlayerShotSlots; ++i) {
        const PlayerShot& s = g.PlayerShots[i];
        c.Slot("PlayerShots", i, "State", s.State, 0, 1);
        if (s.State == 0) {
            continue;
        }
        c.Slot("PlayerShots", i, "Kind", RowOf(s.Kind), 0, kSpriteKinds - 1);
        c.True("a ship shot of a kind without a sprite", HasSprite(g.PlayerShotTypes[s.Kind]));
        c.Slot("PlayerShots", i, "Power", s.Power, 1, 1);
        c.Slot("PlayerShots", i, "X", s.X, -kShotDrift, g.ScreenWidth + kShotDrift);
        c.Slot("PlayerShots", i, "Y", s.Y, -12, g.ScreenHeight + kFragmentDrop);
        c.Slot("PlayerShots", i, "VX", s.VX, -kFastest, kFastest);
        c.Slot("PlayerShots", i, "VY", s.VY, -kFastest, -1);
    }
}

void CheckStars(Checker& c, const Game& g) {
    for (int i = 0; i < kStarCount; ++i) {
        const Star& star = g.Stars[i];
        c.Slot("Stars", i, "X", star.X, 0, g.ScreenWidth);
        c.Slot("Stars", i, "Y", star.Y, 0, g.ScreenHeight);
        c.Slot("Stars", i, "Speed", star.Speed, 3, 10);
    }
}

}  // namespace

std::string CheckTables(const Game& g) {
    Checker c;
    CheckState(c, g);
    CheckPlayer(c, g);
    CheckEnemies(c, g);
    CheckEnemyShots(c, g);
    CheckPlayerShots(c, g);
    CheckStars(c, g);
    return c.Failure();
}

}  // namespace volley
