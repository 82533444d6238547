#include "QuizWindow.h"

#include "QuizDaysModel.h"
#include "QuizLinesModel.h"

#include "ui/chart/ChartWhyText.h"
#include "ui/common/CardImage.h"
#include "ui/common/HelpKey.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/MessageBox.h"
#include "ui/common/TextSections.h"

#include "play/ChartLineText.h"
#include "prefs/Preferences.h"
#include "render/PaintEngine.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace drawmentor {
namespace {

const QString kQuizTexts = QStringLiteral("Quiz");

QTableView* NewTable(QWidget* parent, const char* name, QAbstractItemModel* model) {
    auto* table = new QTableView(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setModel(model);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus); // keys 1 to 5 and Enter stay the quiz's
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

// "K♥ Q♥": the held cards as the player reads them.
QString CardsText(const std::array<int, kHandSize>& dealt, int drawMask) {
    static const QString kSuits = QStringLiteral("\u2660\u2663\u2666\u2665");
    QStringList cards;
    for (int position = 0; position < kHandSize; ++position) {
        if (IsBitSet(drawMask, position)) continue;
        const TCard card = DecodeCard(dealt[static_cast<size_t>(position)]);
        cards << (card.Rank == kJokerRank
                      ? QStringLiteral("JK")
                      : QString(QLatin1Char(kRankLetters[static_cast<size_t>(card.Rank)])) +
                            kSuits[card.Suit]);
    }
    return cards.join(QLatin1Char(' '));
}

} // namespace

TQuizWindow::TQuizWindow(QWidget* parent, const TStrategyChart& chart, const QString& caption,
                         const QString& folder, TPreferences& preferences, TPaintEngine& paint)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FPreferences(preferences), FPaint(paint),
      FQuiz(std::make_unique<TQuiz>(chart, folder.toStdString())), FCaption(caption) {
    setObjectName(QStringLiteral("fQuiz"));
    auto* layout = new QVBoxLayout(this);
    FHeader = new QLabel(this);
    FHeader->setObjectName(QStringLiteral("lQuizHeader"));
    layout->addWidget(FHeader);
    auto* cards = new QHBoxLayout;
    for (int position = 0; position < kHandSize; ++position) {
        auto* card = new TCardImage(position, this);
        card->setObjectName(QStringLiteral("Card%1").arg(position + 1));
        card->setFixedSize(paint.CardWidth, paint.CardHeight);
        connect(card, &TCardImage::Pressed, this, &TQuizWindow::ToggleCard);
        FCards[static_cast<size_t>(position)] = card;
        cards->addWidget(card);
    }
    cards->addStretch(1);
    layout->addLayout(cards);
    FPrompt = new QLabel(this);
    FPrompt->setObjectName(QStringLiteral("lQuizPrompt"));
    FVerdict = new QLabel(this);
    FVerdict->setObjectName(QStringLiteral("lQuizVerdict"));
    FVerdict->setWordWrap(true);
    FVerdict->setMinimumHeight(FVerdict->fontMetrics().height() * 4);
    layout->addWidget(FPrompt);
    layout->addWidget(FVerdict);
    auto* buttons = new QHBoxLayout;
    FAnswer = new QPushButton(this);
    FAnswer->setObjectName(QStringLiteral("btnAnswer"));
    FNext = new QPushButton(this);
    FNext->setObjectName(QStringLiteral("btnNextDeal"));
    FClose = new QPushButton(this);
    FClose->setObjectName(QStringLiteral("btnClose"));
    for (QPushButton* button : {FAnswer, FNext, FClose}) {
        button->setAutoDefault(false); // Enter is the quiz's own key
        buttons->addWidget(button);
    }
    buttons->insertStretch(2, 1);
    layout->addLayout(buttons);
    connect(FAnswer, &QPushButton::clicked, this, &TQuizWindow::AnswerOrNext);
    connect(FNext, &QPushButton::clicked, this, &TQuizWindow::NextDeal);
    connect(FClose, &QPushButton::clicked, this, &QDialog::accept);

    FTabs = new QTabWidget(this);
    FTabs->setObjectName(QStringLiteral("QuizTabs"));
    FTabs->setFocusPolicy(Qt::NoFocus);
    FLines = new TQuizLinesModel(*FQuiz, preferences.Texts(), this);
    FDays = new TQuizDaysModel(*FQuiz, preferences.Texts(), this);
    FTabs->addTab(NewTable(FTabs, "QuizLines", FLines), QString());
    FTabs->addTab(NewTable(FTabs, "QuizDays", FDays), QString());
    layout->addWidget(FTabs, 1);
    resize(std::max(640, 5 * paint.CardWidth + 60), 620);
    InstallHelpKey(*this, hcStrategyChart, FPreferences); // the quiz is told of on the chart's page
    connect(&FPreferences, &TPreferences::PreferencesChanged, this, &TQuizWindow::Retranslate);
    Retranslate();
    NextDeal();
}

TQuizWindow::~TQuizWindow() = default;

QString TQuizWindow::Text(const char* key) const {
    return FPreferences.Texts().Translate(kQuizTexts, QString::fromLatin1(key));
}

void TQuizWindow::Retranslate() {
    setWindowTitle(FPreferences.Texts().WindowCaption(kQuizTexts));
    FHeader->setText(FormatText(Text("Header"), {FCaption, QString::number(FQuiz->Chart().Bet)}));
    FPrompt->setText(Text("Prompt"));
    FAnswer->setText(Text("Answer"));
    FNext->setText(Text("Next"));
    FClose->setText(Text("Close"));
    FTabs->setTabText(0, Text("LinesTab"));
    FTabs->setTabText(1, Text("ProgressTab"));
    FLines->Refresh();
    FDays->Refresh();
    if (FQuiz->Verdict()) ShowVerdict();
}

void TQuizWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A file set aside at the opening is told once the window is up to own the box.
    QTimer::singleShot(0, this, &TQuizWindow::TellNotice);
}

void TQuizWindow::NextDeal() {
    FQuiz->NextDeal();
    FVerdict->clear();
    ShowDeal();
}

void TQuizWindow::ToggleCard(int position) {
    FQuiz->ToggleHold(position);
    ShowDeal();
}

void TQuizWindow::AnswerOrNext() {
    if (FQuiz->Verdict()) return NextDeal();
    FQuiz->Answer();
    ShowVerdict();
    FLines->Refresh();
    FDays->Refresh();
    TellNotice();
}

void TQuizWindow::ShowDeal() {
    for (int position = 0; position < kHandSize; ++position) {
        const int code = FQuiz->Dealt()[static_cast<size_t>(position)];
        const TCard card = DecodeCard(code);
        QImage image(FPaint.CardWidth, FPaint.CardHeight, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        FPaint.DrawCard(painter, image.rect(), !IsBitSet(FQuiz->DrawMask(), position),
                        FQuiz->IsWild(code), card.Suit, card.Rank);
        painter.end();
        FCards[static_cast<size_t>(position)]->SetImage(image);
    }
    FAnswer->setEnabled(!FQuiz->Verdict());
}

QString TQuizWindow::HoldText(int mask, long double coins, int line, THoldClass hold) const {
    const QString cards =
        mask == kMaskCount - 1 ? Text("NothingHeld") : CardsText(FQuiz->Dealt(), mask);
    return FormatText(Text("Hold"), {cards, QString::number(static_cast<double>(coins), 'f', 4),
                                     ChartLineText(FQuiz->Chart(), line, hold, FPreferences)});
}

void TQuizWindow::ShowVerdict() {
    const TQuizVerdict& verdict = *FQuiz->Verdict();
    const TChartAdvice& advice = verdict.Advice;
    QStringList lines;
    lines << (verdict.Right ? Text("Right")
                            : FormatText(Text("Wrong"),
                                         {QString::number(static_cast<double>(verdict.BestReturn -
                                                                              verdict.PlayerReturn),
                                                          'f', 4)}));
    lines << FormatText(Text("YourHold"), {HoldText(advice.HeldMask, verdict.PlayerReturn,
                                                    advice.HeldLine, advice.HeldClass)});
    lines << FormatText(Text("BestHold"), {HoldText(advice.BestMask, verdict.BestReturn,
                                                    advice.BestLine, advice.BestClass)});
    if (!advice.ChartIsBest)
        lines << FormatText(
            FPreferences.Texts().Translate(kChartWhyTexts, QStringLiteral("Exception")),
            {ChartLineText(FQuiz->Chart(), advice.BestLine, advice.BestClass, FPreferences)});
    // The notes under the chart's line that this hand meets.
    if (advice.ChartLine >= 0) {
        const QStringList notes = ChartExceptionTexts(
            FQuiz->Chart().Lines[static_cast<size_t>(advice.ChartLine)], FPreferences.Texts());
        for (int note : verdict.Notes) lines << notes.value(note);
    }
    FVerdict->setText(lines.join(QLatin1Char('\n')));
    FAnswer->setEnabled(false);
}

void TQuizWindow::TellNotice() {
    const TQuizFileNotice notice = FQuiz->Notice();
    if (notice.Kind == TQuizFileNotice::None || !isVisible()) return;
    FQuiz->TakeNotice();
    static const char* const kKeys[] = {"", "Damaged", "OtherPaytable", "NotSaved"};
    TMessageBox::Tell(
        this, QStringLiteral("QuizFileNotice"), windowTitle(),
        FormatText(Text(kKeys[notice.Kind]),
                   {QString::fromStdString(notice.Path), QString::fromStdString(notice.SetAside)}),
        FPreferences);
}

void TQuizWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key >= Qt::Key_1 && key <= Qt::Key_5) {
        ToggleCard(key - Qt::Key_1);
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        AnswerOrNext();
    } else {
        QDialog::keyPressEvent(event);
    }
}

void OpenQuizWindow(QWidget* parent, const TStrategyChart& chart, const QString& caption,
                    const QString& folder, TPreferences& preferences, TPaintEngine& paint) {
    TQuizWindow window(parent, chart, caption, folder, preferences, paint);
    window.exec();
}

} // namespace drawmentor
