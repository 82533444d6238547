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
// one is half as big again, within the screen; fit-to-screen grows freely.
struct TWindowLimits {
    QSize Minimum;
    QSize Maximum;
    QSize Initial;
    bool Maximisable = false;
};
TWindowLimits WindowLimits(TTableSize size, const QSize& screen);

// How much larger than the standard table everything is drawn in a window of
// `window` pixels. Never below 1: a window squeezed below the size the scale
// was made for keeps the standard table rather than shrinking its text.
double TableScale(TTableSize size, const QSize& window);

// Applies a table size to the main window: its limits and caption buttons,
// and the scale of the panels whenever the window is resized.
class TTableSizer : public QObject {
    Q_OBJECT

  public:
    TTableSizer(QMainWindow& window, TMachinePanels& panels);

    TTableSize Size() const { return FSize; }
    double Scale() const { return FScale; }
    // `resize` also gives the window the size's initial size (or maximises it):
    // a choice from the menu does, a size read at start keeps the placement.
    void SetSize(TTableSize size, bool resize);
    void Restore(const TIniFile& ini);
    void Save(TIniFile& ini) const;

  signals:
    void ScaleChanged(double scale);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ApplyScale();

    QMainWindow& FWindow;
    TMachinePanels& FPanels;
    TTableSize FSize = TTableSize::Standard;
    double FScale = 0; // none applied yet
};

} // namespace drawmentor
