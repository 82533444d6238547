#include "TableSounds.h"

#include "play/Session.h"
#include "prefs/DataFolder.h"
#include "prefs/IniFile.h"
#include "prefs/SettingKeys.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>

namespace drawmentor {
namespace {

const char* const kFiles[kSoundCount] = {"deal", "hold", "draw",      "win1",
                                         "win2", "win3", "doublewin", "doublelose"};

} // namespace

TQtSoundPlayer::TQtSoundPlayer() = default;
TQtSoundPlayer::~TQtSoundPlayer() = default;

bool TQtSoundPlayer::Loading() const {
    return std::any_of(FEffects.begin(), FEffects.end(), [](const auto& effect) {
        return effect && effect->status() == QSoundEffect::Loading;
    });
}

void TQtSoundPlayer::Play(TSound sound) {
    auto& effect = FEffects.at(static_cast<size_t>(sound));
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        const QString path =
            ProgramFolder() + QStringLiteral("data/sounds/%1.wav")
                                  .arg(QLatin1String(kFiles[static_cast<int>(sound)]));
        if (QFileInfo::exists(path)) effect->setSource(QUrl::fromLocalFile(path));
        effect->setVolume(0.6f);
    }
    // A sound still loading plays once it is loaded; one that failed to load
    // (no file, a damaged one, no audio device) is skipped.
    if (effect->status() != QSoundEffect::Error && effect->status() != QSoundEffect::Null)
        effect->play();
}

TSound WinSound(int win, int bet) {
    const int times = win / std::max(bet, 1);
    if (times >= 25) return TSound::LargeWin; // four of a kind and above on most paytables
    if (times >= 4) return TSound::MediumWin;
    return TSound::SmallWin;
}

TTableSounds::TTableSounds(QObject* parent) : QObject(parent) {}
TTableSounds::~TTableSounds() = default;

void TTableSounds::SetPlayer(std::unique_ptr<ISoundPlayer> player) {
    FPlayer = std::move(player);
}

void TTableSounds::Play(TSound sound) {
    if (!FEnabled) return;
    if (!FPlayer) FPlayer = std::make_unique<TQtSoundPlayer>();
    FPlayer->Play(sound);
}

void TTableSounds::CardsShown(const TSession& session) {
    const TTableHand& hand = session.Hand();
    if (hand.State() != TGameState::gsDrawn) return;
    if (hand.DoubleUpPick() >= 1) {
        if (hand.DoubleUpResult() != 0)
            Play(hand.DoubleUpResult() > 0 ? TSound::DoubleWin : TSound::DoubleLose);
    } else if (hand.CurrentWin() > 0) {
        Play(WinSound(hand.CurrentWin(), session.Game().Bet()));
    }
}

void TTableSounds::Restore(const TIniFile& ini) {
    FEnabled = ReadBoolSetting(ini, TSetting::Sound);
}

void TTableSounds::Save(TIniFile& ini) const {
    WriteBoolSetting(ini, TSetting::Sound, FEnabled);
}

} // namespace drawmentor
