#pragma once

#include <QImage>
#include <QStringList>

#include <memory>

namespace drawmentor {

class TCardRenderer;
class TSession;
class TIniFile;
class TPaintEngine;
class TSvgFaces;

// The table's big cards: the deck and back the player chose, drawn at the
// size and pixel density they are shown at, and remembered in the settings.
class TCardPictures {
  public:
    TCardPictures();
    ~TCardPictures();

    TPaintEngine& Paint() { return *FPaint; }
    QImage Back(const QSize& size, qreal ratio);
    // The card at `index` as the hand shows it: held band, wild badge, and a
    // frame on the card turned in a double-up.
    QImage Face(const TSession& session, int index, const QSize& size, qreal ratio);
    // The held band's word, in the interface's language.
    void SetHeldWord(const QString& word);

    // A deck that cannot be read leaves the standard one; what went wrong is
    // added to `notices` (pattern: the "DeckUnreadable" text).
    void Restore(const TIniFile& ini, const QString& unreadablePattern, QStringList& notices);
    void Save(TIniFile& ini) const;

  private:
    std::unique_ptr<TPaintEngine> FPaint;
    std::unique_ptr<TSvgFaces> FSvgFaces;
    std::unique_ptr<TCardRenderer> FCardArt;
};

} // namespace drawmentor
