#pragma once

#include <QAbstractTableModel>

namespace drawmentor {

class TQuiz;
class TTexts;

// The quiz's score by chart line: the line, its box on the schedule, how
// often it was asked and answered right, and the share right.
class TQuizLinesModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum TColumn { cLine, cBox, cAsked, cRight, cScore, kColumnCount };

    TQuizLinesModel(const TQuiz& quiz, const TTexts& texts, QObject* parent = nullptr);
    // After an answer or a change of language.
    void Refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    const TQuiz& FQuiz;
    const TTexts& FTexts;
};

} // namespace drawmentor
