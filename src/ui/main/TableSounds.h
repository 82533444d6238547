#pragma once

#include <QObject>

#include <array>
#include <memory>

class QSoundEffect;

namespace drawmentor {

class TSession;
class TIniFile;

enum class TSound { Deal, Hold, Draw, SmallWin, MediumWin, LargeWin, DoubleWin, DoubleLose };
inline constexpr int kSoundCount = 8;

// Whatever makes the sounds heard; tests put a recorder in its place.
class ISoundPlayer {
  public:
    virtual ~ISoundPlayer() = default;
    virtual void Play(TSound sound) = 0;
};

// The synthesised files of "data/sounds/" through Qt Multimedia. A file is
// loaded the first time it is played; a missing or damaged file, or a machine
// without an audio device, leaves that sound silent and says nothing.
class TQtSoundPlayer : public ISoundPlayer {
  public:
    TQtSoundPlayer();
    ~TQtSoundPlayer() override;
    void Play(TSound sound) override;
    // Whether Qt is still reading a sound, on a thread of its own: a player
    // destroyed before it is done leaves that thread's work behind.
    bool Loading() const;

  private:
    std::array<std::unique_ptr<QSoundEffect>, kSoundCount> FEffects;
};

// The sound of a win: larger wins, relative to the bet, sound fuller.
TSound WinSound(int win, int bet);

// The table's sounds, off until the player turns them on. Nothing of Qt
// Multimedia is touched while they are off.
class TTableSounds : public QObject {
    Q_OBJECT

  public:
    explicit TTableSounds(QObject* parent = nullptr);
    ~TTableSounds() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool on) { FEnabled = on; }
    void SetPlayer(std::unique_ptr<ISoundPlayer> player);
    void Play(TSound sound);
    // The cards of a draw or a double-up are all shown: the win, or the
    // double-up's result, is heard.
    void CardsShown(const TSession& session);

    void Restore(const TIniFile& ini);
    void Save(TIniFile& ini) const;

  private:
    bool FEnabled = false;
    std::unique_ptr<ISoundPlayer> FPlayer;
};

} // namespace drawmentor
