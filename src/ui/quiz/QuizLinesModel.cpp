#include "QuizLinesModel.h"

#include "play/ChartLineText.h"
#include "play/Quiz.h"
#include "prefs/Texts.h"

namespace drawmentor {

TQuizLinesModel::TQuizLinesModel(const TQuiz& quiz, const TTexts& texts, QObject* parent)
    : QAbstractTableModel(parent), FQuiz(quiz), FTexts(texts) {}

void TQuizLinesModel::Refresh() {
    beginResetModel();
    endResetModel();
}

int TQuizLinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(FQuiz.Schedule().Lines().size());
}

int TQuizLinesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant TQuizLinesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (index.column() == cLine ? Qt::AlignLeft : Qt::AlignRight));
    if (role != Qt::DisplayRole) return {};
    const auto row = static_cast<size_t>(index.row());
    const TQuizLine& line = FQuiz.Schedule().Lines()[row];
    const bool asked = line.Asked > 0;
    switch (index.column()) {
    case cLine:
        return QStringLiteral("%1. %2")
            .arg(index.row() + 1)
            .arg(ChartNameText(FQuiz.Chart().Lines[row].Name, FTexts));
    case cBox: return asked ? QVariant(line.Box) : QVariant(QStringLiteral("-"));
    case cAsked: return asked ? QVariant(line.Asked) : QVariant(QStringLiteral("-"));
    case cRight: return asked ? QVariant(line.Right) : QVariant(QStringLiteral("-"));
    case cScore:
        return asked ? QString::number(100.0 * line.Right / line.Asked, 'f', 0)
                     : QStringLiteral("-");
    default: return {};
    }
}

QVariant TQuizLinesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const kKeys[kColumnCount] = {"LineColumn", "BoxColumn", "AskedColumn",
                                                    "RightColumn", "ScoreColumn"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount)
        return {};
    return FTexts.Translate(QStringLiteral("Quiz"), QString::fromLatin1(kKeys[section]));
}

} // namespace drawmentor
