#pragma once

#include <QImage>
#include <QPalette>

namespace drawmentor {

// The rounded gradient faces of the big buttons, cached per size: eight
// faces in a ring. A face of a new width is assembled from a cached one of
// the same height instead of being painted again, so resizing stays cheap.
class TButtonHash {
  public:
    explicit TButtonHash(bool pressed) : FPressed(pressed) {}

    // Owned by the cache; valid until eight other sizes have been asked for.
    const QImage& GetFace(int width, int height, const QPalette& palette = QPalette());
    int LastUsed() const { return FLast; }
    // How the face in `slot` was made, for tests: 'p' painted, 's' stretched.
    char Origin(int slot) const { return FOrigin[slot]; }

  private:
    QImage FSlots[8];
    char FOrigin[8] = {};
    int FLast = -1;
    bool FPressed;
};

void PaintButtonFace(QImage& face, bool pressed, const QPalette& palette = QPalette());
// The target (same height, any width) from the source's columns, rounded
// edges at both ends.
void StretchFace(const QImage& source, QImage& target);
// The program-wide caches of normal and pressed faces.
const QImage& ButtonFace(int width, int height, bool pressed, const QPalette& palette = QPalette());

} // namespace drawmentor
