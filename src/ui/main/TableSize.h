#pragma once

#include <QObject>
#include <QSize>

class QMainWindow;

namespace drawmentor {

class TMachinePanels;
class TIniFile;

// How large the main window's table is drawn. The values are those kept in
// the settings file.
enum class TTableSize { Standard = 0, Large = 1, Fit = 2 };

// What the window may be for a table size on a screen whose free area is
// `screen`: the standard size keeps the machine's own small window; the large
// one is half as big again; fit-to-screen grows freely. `extra` is the height
// the standard table adds above the cards (the other hands of a deal), which
// every size makes room for as the standard table would. Within the screen.
struct TWindowLimits {
    QSize Minimum;
    QSize Maximum;
    QSize Initial;
    bool Maximisable = false;
};
TWindowLimits WindowLimits(TTableSize size, const QSize& screen, int extra = 0);

// How much larger than the standard table (with `extra` standard pixels
// added to its height) everything is drawn in a window of `window` pixels.
// Never below 1: a window squeezed below the size the scale was made for
// keeps the standard table rather than shrinking its text.
double TableScale(TTableSize size, const QSize& window, int extra = 0);

// Applies a table size to the main window: its limits and caption buttons,
// and the scale of the panels whenever the window is resized.
class TTableSizer : public QObject {
    Q_OBJECT

  public:
    TTableSizer(QMainWindow& window, TMachinePanels& panels);

    TTableSize Size() const { return FSize; }
    double Scale() const { return FScale; }
    // `resize` also gives the window the size's initial size (or the whole
    // screen): a choice from the menu does, a size read at start keeps the
    // placement, brought onto the screen.
    void SetSize(TTableSize size, bool resize);
    // The other hands of a deal take room above the table: the window grows
    // by it (as far as its limits let it) rather than squeeze the paytable,
    // and gives it back when they go.
    void ShowOtherHands(bool show);
    bool OtherHandsShown() const { return FOtherHands; }
    // The window's size as the next start restores it: without the room of
    // the other hands, which is added again when they show.
    QSize SizeWithoutOtherHands() const;
    // Reads the size before the window's placement is restored, so that the
    // placement is taken within the size's own limits.
    void Restore(const TIniFile& ini);
    void Save(TIniFile& ini) const;

  signals:
    void ScaleChanged(double scale);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TWindowLimits Limits() const;
    int Extra() const;
    void ApplyLimits(const TWindowLimits& limits);
    // Window managers may refuse to maximise, and there may be none: the
    // window takes the screen's free area itself.
    void FillScreen();
    void ApplyScale();

    QMainWindow& FWindow;
    TMachinePanels& FPanels;
    TTableSize FSize = TTableSize::Standard;
    double FScale = 0; // none applied yet
    bool FOtherHands = false;
    int FHeightBefore = 0;
};

} // namespace drawmentor
