#pragma once

#include <QAbstractTableModel>

namespace drawmentor {

class TQuiz;
class TTexts;

// The quiz's progress over days, the latest first: answers and the share right.
class TQuizDaysModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum TColumn { cDay, cAnswers, cPercent, kColumnCount };

    TQuizDaysModel(const TQuiz& quiz, const TTexts& texts, QObject* parent = nullptr);
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
