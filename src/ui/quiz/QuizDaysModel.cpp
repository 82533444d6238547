#include "QuizDaysModel.h"

#include "play/Quiz.h"
#include "prefs/Texts.h"

#include <QLocale>

namespace drawmentor {

TQuizDaysModel::TQuizDaysModel(const TQuiz& quiz, const TTexts& texts, QObject* parent)
    : QAbstractTableModel(parent), FQuiz(quiz), FTexts(texts) {}

void TQuizDaysModel::Refresh() {
    beginResetModel();
    endResetModel();
}

int TQuizDaysModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(FQuiz.Schedule().Days().size());
}

int TQuizDaysModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant TQuizDaysModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (index.column() == cDay ? Qt::AlignLeft : Qt::AlignRight));
    if (role != Qt::DisplayRole) return {};
    const auto& days = FQuiz.Schedule().Days();
    const TQuizDay& day = days[days.size() - 1 - static_cast<size_t>(index.row())];
    switch (index.column()) {
    case cDay: return QLocale().toString(day.Day, QLocale::ShortFormat);
    case cAnswers: return day.Asked;
    case cPercent: return QString::number(100.0 * day.Right / day.Asked, 'f', 0);
    default: return {};
    }
}

QVariant TQuizDaysModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const kKeys[kColumnCount] = {"DayColumn", "AnswersColumn", "PercentColumn"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount)
        return {};
    return FTexts.Translate(QStringLiteral("Quiz"), QString::fromLatin1(kKeys[section]));
}

} // namespace drawmentor
