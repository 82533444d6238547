#pragma once

#include <QWidget>

namespace drawmentor {

class TSession;
class TPreferences;

// One lit meter of the machine: a small caption over a large figure, both
// fitted to the meter's size, on a dark face.
class TMeter : public QWidget {
    Q_OBJECT

  public:
    explicit TMeter(const char* name, QWidget* parent = nullptr);

    void Set(const QString& caption, const QString& value, bool lit);
    QString Caption() const { return FCaption; }
    QString Value() const { return FValue; }
    bool Lit() const { return FLit; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString FCaption;
    QString FValue;
    bool FLit = false;
};

// The meters on the felt between the paytable and the cards: the credits and
// the win. A winning hand names its paytable line over the amount, in the
// interface's language, the way the machine's glass would.
class TMeterPanel : public QWidget {
    Q_OBJECT

  public:
    explicit TMeterPanel(QWidget* parent = nullptr);

    void Update(const TSession& session, const TPreferences& preferences);
    TMeter* Credits() const { return FCredits; }
    TMeter* Win() const { return FWin; }

  private:
    TMeter* FCredits = nullptr;
    TMeter* FWin = nullptr;
};

} // namespace drawmentor
