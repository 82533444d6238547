#pragma once

#include "play/Quiz.h"

#include <QDialog>

#include <array>
#include <memory>

class QLabel;
class QPushButton;
class QTableView;
class QTabWidget;

namespace drawmentor {

class TCardImage;
class TPaintEngine;
class TPreferences;
class TQuizDaysModel;
class TQuizLinesModel;

// The quiz on the chart of the paytable in play: a deal, the player's hold
// by clicks or keys 1 to 5, Enter for the verdict (both holds with their
// value and chart lines) and Enter again for the next deal; below, the score
// by line and the answers by day. A view of TQuiz: it asks and draws.
class TQuizWindow : public QDialog {
    Q_OBJECT

  public:
    TQuizWindow(QWidget* parent, const TStrategyChart& chart, const QString& caption,
                const QString& folder, TPreferences& preferences, TPaintEngine& paint);
    ~TQuizWindow() override;

    const TQuiz& Quiz() const { return *FQuiz; }
    void Retranslate();
    // Enter's work: the verdict, or after it the next deal.
    void AnswerOrNext();
    void ToggleCard(int position);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void NextDeal();
    void ShowDeal();
    void ShowVerdict();
    void TellNotice();
    QString Text(const char* key) const;
    QString HoldText(int mask, long double coins, int line, THoldClass hold) const;

    TPreferences& FPreferences;
    TPaintEngine& FPaint;
    std::unique_ptr<TQuiz> FQuiz;
    QString FCaption;
    QLabel* FHeader = nullptr;
    std::array<TCardImage*, kHandSize> FCards{};
    QLabel* FPrompt = nullptr;
    QLabel* FVerdict = nullptr;
    QPushButton* FAnswer = nullptr;
    QPushButton* FNext = nullptr;
    QPushButton* FClose = nullptr;
    QTabWidget* FTabs = nullptr;
    TQuizLinesModel* FLines = nullptr;
    TQuizDaysModel* FDays = nullptr;
};

// Opens the quiz modally over `parent`; its file lives in `folder`.
void OpenQuizWindow(QWidget* parent, const TStrategyChart& chart, const QString& caption,
                    const QString& folder, TPreferences& preferences, TPaintEngine& paint);

} // namespace drawmentor
