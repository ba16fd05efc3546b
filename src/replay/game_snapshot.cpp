#include "replay/game_snapshot.h"

#include <type_traits>

#include "game/game.h"

namespace volley {

namespace {

// Takes the snapshot's bytes one by one: into a buffer, or straight into a hash, which needs no
// buffer and so no allocation when a recording takes one every hundred frames.
template <typename Sink>
class Snapshot {
  public:
    explicit Snapshot(Sink& out) : out_(out) {}

    template <typename... Values>
    void Add(const Values&... values) {
        (Put(values), ...);
    }

  private:
    template <typename Value>
    void Put(const Value& value) {
        if constexpr (std::is_same_v<Value, bool>) {
            out_(static_cast<uint8_t>(value ? 1 : 0));
        } else if constexpr (std::is_enum_v<Value>) {
            Put(static_cast<std::underlying_type_t<Value>>(value));
        } else {
            static_assert(std::is_integral_v<Value>);
            const auto bits = static_cast<std::make_unsigned_t<Value>>(value);
            for (size_t i = 0; i < sizeof(Value); ++i) {
                out_(static_cast<uint8_t>(bits >> (8 * i)));
            }
        }
    }
    Sink& out_;
};

template <typename Sink>
void AddScalars(Snapshot<Sink>& s, const Game& g) {
    s.Add(g.Stage, g.MaxStage, g.TotalScore, g.Score, g.StageBonus, g.StageOver, g.BossKind,
          g.StageFrame, g.ScriptToggle, g.ContactGuardFrames, g.ScreenWidth, g.ScreenHeight);
    for (int32_t score : g.HiScores) {
        s.Add(score);
    }
    s.Add(g.PlayerX, g.PlayerY, g.PowerLevel, g.PowerGuard, g.PlayerSpeed, g.Bombs, g.PlayerFrame,
          g.PlayerEnergy, g.PlayerDown);
    s.Add(g.ShotTimer, g.BombTimer, g.BombActive, g.WreckDelay, g.WreckFrame, g.BlastDelay);
    s.Add(g.Rng.State(), g.JoyId, g.JoyPresent, g.JoyDeviceCount, g.Joy.Direction, g.StartHeld,
          g.ContactGuard, g.CurEnemy, g.CurShot, g.LastResult);
    for (bool button : g.Joy.Button) {
        s.Add(button);
    }
    for (bool dirty : g.LabelDirty) {
        s.Add(dirty);
    }
}

template <typename Sink>
void AddTables(Snapshot<Sink>& s, const Game& g) {
    for (const PlayerShot& p : g.PlayerShots) {
        s.Add(p.State, p.Kind, p.Power, p.X, p.Y, p.VX, p.VY);
    }
    for (const Enemy& e : g.Enemies) {
        s.Add(e.State, e.Kind, e.ContactDamage, e.X, e.Y, e.VX, e.VY, e.HP, e.Score, e.MoveFlag,
              e.FireStep, e.MoveTimer, e.Age, e.BlastFrame);
    }
    for (const EnemyShot& e : g.EnemyShots) {
        s.Add(e.State, e.Kind, e.X, e.Y, e.VX, e.VY, e.Damage);
    }
    for (const Star& star : g.Stars) {
        s.Add(star.X, star.Y, star.Speed);
    }
}

template <typename Sink>
void AddLabel(Snapshot<Sink>& s, const Label& label) {
    s.Add(label.Visible, static_cast<uint32_t>(label.Caption.size()));
    for (char c : label.Caption) {
        s.Add(c);
    }
}

// What the window shows, apart from the rendered text, which depends on the fonts at hand.
template <typename Sink>
void AddPictures(Snapshot<Sink>& s, const Game& g) {
    const Form& f = g.Form1;
    s.Add(f.BarVisible);
    for (const Label& label : f.DisplayLabel) {
        AddLabel(s, label);
    }
    for (const Label& label : f.StageArrows) {
        AddLabel(s, label);
    }
    AddLabel(s, f.PauseLabel);
    for (const Surface* surface : {&f.Picture2, &f.Bar}) {
        s.Add(surface->Width, surface->Height);
        for (Pixel pixel : surface->Pixels) {
            s.Add(pixel);
        }
    }
}

template <typename Sink>
void TakeSnapshot(const Game& g, Sink& sink) {
    Snapshot s(sink);
    AddScalars(s, g);
    AddTables(s, g);
    AddPictures(s, g);
}

}  // namespace

std::vector<uint8_t> GameSnapshot(const Game& g) {
    std::vector<uint8_t> bytes;
    auto append = [&bytes](uint8_t byte) { bytes.push_back(byte); };
    TakeSnapshot(g, append);
    return bytes;
}

uint64_t GameStateHash(const Game& g) {
    uint64_t hash = 0xCBF29CE484222325ull;
    auto mix = [&hash](uint8_t byte) { hash = (hash ^ byte) * 0x100000001B3ull; };
    TakeSnapshot(g, mix);
    return hash;
}

}  // namespace volley
