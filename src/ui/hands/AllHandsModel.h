#pragma once

#include "HoldPictures.h"

#include "games/PokerDescription.h"

#include <QAbstractTableModel>
#include <QImage>
#include <QStringList>

#include <array>
#include <vector>

namespace drawmentor {

class TPokerEngine;

// One hold of the dealt hand as the all-hands window shows it.
struct THandStat {
    int Mask = 0;
    QString HoldText; // "0" kept, "1" drawn, position 0 first
    int DrawnCount = 0;
    QImage Picture;
    // Per line 0..LastLine, then the outcomes no line pays.
    std::array<long double, kMaxLines + 1> LineProbability{};
    std::array<long double, kMaxLines + 1> LineReturn{}; // pay x probability; 0 for the unpaid
    std::array<int32_t, kMaxLines + 1> LineHands{};
    long double ER = 0;
};

enum TAllHandsMode : int { amHands = 0, amProbability = 1, amReturn = 2 };

// The 32 holds of a dealt hand, one row each, in display order. Columns: the
// hold picture, the expected return, one per paytable line, the outcomes no
// line pays. The sort key is the signed column number + 1: positive sorts the
// largest first. Re-sorting moves persistent indexes with their rows, so a
// selection stays on its hold.
class TAllHandsModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    // Reads the engine's tables once (after GetTheBest); `pictures` by mask.
    TAllHandsModel(const TPokerEngine& engine, const std::array<QImage, kHoldCount>& pictures,
                   QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // "Hand", "ER", the line names, "Nothing", all in the interface's
    // language; `lines` follow LineNames() one for one.
    void SetTitles(const QString& hand, const QString& expectedReturn, const QString& nothing,
                   const QStringList& lines);
    // The paytable's lines as the game spells them, the keys of their translations.
    const QStringList& LineNames() const { return FLineNames; }
    QString Title(int column) const { return FTitles.value(column); }

    int Mode() const { return FMode; }
    void SetMode(int mode);
    int SortKey() const { return FSortKey; }
    void SortBy(int key);
    // A click on a title: the same column reverses, another sorts largest first.
    void ClickTitle(int column);

    const THandStat& Row(int row) const { return FRows.at(row); }
    int RowOfMask(int mask) const;
    QString CellText(int row, int column) const;
    int LineColumns() const { return FLines + 1; } // the lines and "Nothing"

  private:
    // < 0, 0, > 0 as row a's value in `column` is below, equal to or above b's.
    int Compare(const THandStat& a, const THandStat& b, int column) const;
    long double ShownValue(const THandStat& stat, int entry) const;

    std::vector<THandStat> FRows;
    QStringList FTitles;
    QStringList FLineNames;
    int FLines = 0; // paytable lines, LastLine + 1
    int FMode = amHands;
    int FSortKey = 2;
};

// Cell texts: "- " stands for nothing to show.
QString ReturnText(long double value);
QString HandsText(int32_t count);
QString FractionText(long double value);

} // namespace drawmentor
