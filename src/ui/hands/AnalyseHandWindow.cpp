#include "AnalyseHandWindow.h"

#include "AllHandsWindow.h"
#include "DeckPicker.h"

#include "ui/common/GradientLabel.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/TextSections.h"

#include "cards/Cards.h"
#include "play/HandAnalysis.h"
#include "prefs/Preferences.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace drawmentor {

namespace {

QStringList Words(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[\\s,;]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

// The code a word names, jokers all as the first joker; -1 for no card.
int WordCode(const QString& word) {
    const auto card = ParseCardText(word.toStdString());
    if (!card) return -1;
    return card->Rank < 0 ? kFirstJokerCode : EncodeCard(card->Rank, card->Suit);
}

} // namespace

TAnalyseHandWindow::TAnalyseHandWindow(QWidget* parent, int gameIndex, const TPayTable& pays,
                                       int bet, const QString& caption,
                                       const TPreferences& preferences)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FGameIndex(gameIndex), FPays(pays), FJokers(GameJokers(gameIndex)), FCaption(caption),
      FPreferences(preferences),
      FShowHolds([this](const TPokerEngine& engine, const std::array<int, 5>& cards, int best) {
          ShowAllHands(this, engine, cards, best, FPreferences);
      }) {
    setObjectName(QStringLiteral("fmAnalyseHand"));
    FGameLabel = new QLabel(this);
    FGameLabel->setObjectName(QStringLiteral("lGame"));
    FGameLabel->setAlignment(Qt::AlignCenter);
    FGameLabel->setMinimumHeight(22);
    FDeck = new TDeckPicker(FJokers, this);
    connect(FDeck, &TDeckPicker::CardClicked, this, &TAnalyseHandWindow::ToggleCard);
    FHint = new QLabel(this);
    FHint->setObjectName(QStringLiteral("lHint"));
    FHint->setWordWrap(true);

    FHandLabel = new QLabel(this);
    FHandEdit = new QLineEdit(this);
    FHandEdit->setObjectName(QStringLiteral("edHand"));
    FHandLabel->setBuddy(FHandEdit);
    connect(FHandEdit, &QLineEdit::textChanged, this, &TAnalyseHandWindow::HandEdited);
    FBetLabel = new QLabel(this);
    FBet = new QSpinBox(this);
    FBet->setObjectName(QStringLiteral("seBet"));
    FBet->setRange(1, kMaxCoins);
    FBet->setValue(bet);
    FBetLabel->setBuddy(FBet);
    FError = new QLabel(this);
    FError->setObjectName(QStringLiteral("lError"));
    FError->setWordWrap(true);
    FError->setStyleSheet(QStringLiteral("color: #b00000"));
    FAnalyse = new QPushButton(this);
    FAnalyse->setObjectName(QStringLiteral("btnAnalyse"));
    FAnalyse->setDefault(true);
    connect(FAnalyse, &QPushButton::clicked, this, &TAnalyseHandWindow::Analyse);
    FClose = new QPushButton(this);
    FClose->setObjectName(QStringLiteral("btnClose"));
    connect(FClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* entry = new QGridLayout;
    entry->addWidget(FHandLabel, 0, 0);
    entry->addWidget(FHandEdit, 0, 1);
    entry->addWidget(FBetLabel, 0, 2);
    entry->addWidget(FBet, 0, 3);
    entry->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FError, 1);
    buttons->addWidget(FAnalyse);
    buttons->addWidget(FClose);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(FGameLabel);
    layout->addWidget(FDeck);
    layout->addWidget(FHint);
    layout->addLayout(entry);
    layout->addLayout(buttons);

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this,
            [this] { ShowHelp(this, hcAnalyseHand, FPreferences); });
    connect(&preferences, &TPreferences::PreferencesChanged, this, [this] { Retranslate(); });
    Retranslate();
    FHandEdit->setFocus();
}

void TAnalyseHandWindow::Retranslate() {
    setWindowTitle(FPreferences.Texts().WindowCaption(kAnalyseHandTexts));
    FGameLabel->setText(FCaption);
    FGameLabel = MakeHeaderLabel(FGameLabel, FPreferences);
    FHint->setText(FPreferences.Texts().Translate(kAnalyseHandTexts, QStringLiteral("Help")));
    FHandLabel->setText(FPreferences.Texts().Translate(kAnalyseHandTexts, QStringLiteral("Cards")));
    FBetLabel->setText(FPreferences.Texts().Translate(kAnalyseHandTexts, QStringLiteral("Bet")));
    FAnalyse->setText(FPreferences.Texts().Translate(kAnalyseHandTexts, QStringLiteral("Analyse")));
    FClose->setText(FPreferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("Cancel")));
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
    if (!FErrorKey.isEmpty()) ShowError(FErrorKey, FErrorWord);
}

QString TAnalyseHandWindow::ErrorText() const {
    return FError->text();
}

void TAnalyseHandWindow::ShowError(const QString& key, const QString& word) {
    FErrorKey = key;
    FErrorWord = word;
    QString text =
        key.isEmpty() ? QString() : FPreferences.Texts().Translate(kAnalyseHandTexts, key);
    FError->setText(text.replace(QLatin1String("%s"), word));
}

void TAnalyseHandWindow::ToggleCard(int code) {
    QStringList words = Words(FHandEdit->text());
    const int wanted = code >= kFirstJokerCode ? kFirstJokerCode : code;
    // A chosen card is taken back: its last mention goes.
    for (int i = static_cast<int>(words.size()) - 1; i >= 0; --i)
        if (FDeck->IsChosen(code) && WordCode(words[i]) == wanted) {
            words.removeAt(i);
            FHandEdit->setText(words.join(QLatin1Char(' ')));
            return;
        }
    if (words.size() >= kHandSize) {
        ShowError(QStringLiteral("TooManyCards"), QString::fromStdString(CardCodeText(code)));
        return;
    }
    words << QString::fromStdString(CardCodeText(code));
    FHandEdit->setText(words.join(QLatin1Char(' ')));
}

void TAnalyseHandWindow::HandEdited() {
    ShowError({}, {});
    // The cards read so far show as chosen, even while the text is unfinished.
    std::vector<int> codes;
    for (const QString& word : Words(FHandEdit->text()))
        if (const int code = WordCode(word); code >= 0) codes.push_back(code);
    FDeck->SetChosen(codes);
}

bool TAnalyseHandWindow::Analyse() {
    const THandEntry entry = ParseHandEntry(FHandEdit->text(), FJokers);
    if (!entry.IsValid()) {
        ShowError(HandEntryErrorKey(entry.Error), entry.Word);
        return false;
    }
    ShowError({}, {});
    const THandAnalysis analysis(FGameIndex, FPays, FBet->value(), entry.Codes);
    std::array<int, 5> cards{};
    std::copy(entry.Codes.begin(), entry.Codes.end(), cards.begin());
    FShowHolds(analysis.Engine(), cards, analysis.BestMask());
    return true;
}

void AnalyseHand(QWidget* parent, int gameIndex, const TPayTable& pays, int bet,
                 const QString& caption, const TPreferences& preferences) {
    TAnalyseHandWindow picker(parent, gameIndex, pays, bet, caption, preferences);
    picker.exec();
}

} // namespace drawmentor
