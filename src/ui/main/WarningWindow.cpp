#include "WarningWindow.h"

#include "ui/chart/ChartWhyText.h"
#include "ui/common/GradientLabel.h"
#include "ui/common/HelpKey.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/TextSections.h"

#include "cards/Cards.h"
#include "play/Session.h"
#include "prefs/Preferences.h"
#include "render/CardPainter.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace drawmentor {

namespace {

// The border widths of the card panels, the unit of the window's spacing.
constexpr int kSpacing = 4;
constexpr int kLeft = 24;

QString Fixed(const char* format, double value) {
    return QString::asprintf(format, value).trimmed();
}

} // namespace

TWarningWindow::TWarningWindow(const TSession& session, TPreferences& preferences,
                               std::function<void(QWidget*)> allHands, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FSession(session), FPreferences(preferences), FAllHands(std::move(allHands)) {
    setObjectName(QStringLiteral("fWarning"));
    auto* layout = new QVBoxLayout(this);
    FHeader = new TGradientLabel(this);
    FHeader->setObjectName(QStringLiteral("lHeader"));
    FHeader->setAlignment(Qt::AlignCenter);
    FHeader->setFixedHeight(23);
    layout->addWidget(FHeader);

    auto* body = new QGridLayout;
    body->setContentsMargins(kLeft, 2 * kSpacing, kLeft, kSpacing);
    body->setHorizontalSpacing(12);
    body->setVerticalSpacing(kSpacing);
    const auto cardRow = [this](QLabel** cards, const char* name) {
        auto* row = new QHBoxLayout;
        row->setSpacing(kSpacing);
        for (int i = 0; i < 5; ++i) {
            cards[i] = AddLabel(QStringLiteral("%1%2").arg(name).arg(i + 1).toLatin1().constData());
            cards[i]->setFixedSize(TCardPainter::Width, TCardPainter::Height);
            row->addWidget(cards[i]);
        }
        return row;
    };
    const auto values = [this](QLabel*& title, QLabel*& percent, QLabel*& money,
                               const char* names[3]) {
        auto* column = new QVBoxLayout;
        column->setSpacing(5);
        title = AddLabel(names[0]);
        percent = AddLabel(names[1]);
        money = AddLabel(names[2]);
        for (QLabel* label : {title, percent, money}) column->addWidget(label);
        column->addStretch();
        return column;
    };
    FYourChoice = AddLabel("lYourChoice");
    body->addWidget(FYourChoice, 0, 0);
    body->addLayout(cardRow(FMyCards, "MyCard"), 1, 0);
    const char* mine[3] = {"lEV1", "lMyEV", "lMyEVDollars"};
    body->addLayout(values(FEV1, FMyEV, FMyEVDollars, mine), 1, 1);
    FBestWay = AddLabel("lBestWay");
    body->addWidget(FBestWay, 2, 0);
    body->setRowMinimumHeight(2, 2 * kSpacing);
    body->addLayout(cardRow(FBestCards, "BestCard"), 3, 0);
    const char* best[3] = {"lEV2", "lBestEV", "lBestEVDollars"};
    body->addLayout(values(FEV2, FBestEV, FBestEVDollars, best), 3, 1);
    FComment = AddLabel("lComment");
    FComment->setWordWrap(true);
    body->addWidget(FComment, 4, 0, 1, 2);
    FWhy = AddLabel("lWhy");
    FWhy->setWordWrap(true);
    body->addWidget(FWhy, 5, 0, 1, 2);
    layout->addLayout(body);

    FWarnings = new QCheckBox(this);
    FWarnings->setObjectName(QStringLiteral("cbWarnings"));
    layout->addWidget(FWarnings, 0, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    FAllHandsButton = new QPushButton(this);
    FAllHandsButton->setObjectName(QStringLiteral("btnAllHands"));
    FAllHandsButton->setEnabled(static_cast<bool>(FAllHands));
    buttons->addWidget(FAllHandsButton);
    buttons->addStretch();
    FBack = new QPushButton(this);
    FBack->setObjectName(QStringLiteral("btnBack"));
    FBack->setDefault(true);
    FApply = new QPushButton(this);
    FApply->setObjectName(QStringLiteral("btnApply"));
    FCancel = new QPushButton(this);
    FCancel->setObjectName(QStringLiteral("btnCancel"));
    for (QPushButton* button : {FBack, FApply, FCancel}) buttons->addWidget(button);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // A reflexive Space or Enter goes back to the hand; the tick box, which
    // turns warnings off, comes last of all.
    setTabOrder(FBack, FApply);
    setTabOrder(FApply, FCancel);
    setTabOrder(FCancel, FAllHandsButton);
    setTabOrder(FAllHandsButton, FWarnings);
    FBack->setFocus();

    connect(FBack, &QPushButton::clicked, this, &QDialog::reject);
    connect(FApply, &QPushButton::clicked, this, &QDialog::accept);
    connect(FCancel, &QPushButton::clicked, this, [this] { done(wcKeepHold); });
    connect(FAllHandsButton, &QPushButton::clicked, this, [this] {
        if (FAllHands) FAllHands(this);
    });
    connect(&preferences, &TPreferences::PreferencesChanged, this, &TWarningWindow::Retranslate);
    InstallHelpKey(*this, hcWarning, preferences);
}

QLabel* TWarningWindow::AddLabel(const char* name) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

void TWarningWindow::Retranslate() {
    const auto text = [this](const char* key) {
        return FPreferences.Texts().Translate(kWarningTexts, QString::fromLatin1(key));
    };
    setWindowTitle(FPreferences.Texts().WindowCaption(kWarningTexts));
    FHeader->setText(text("Header"));
    FYourChoice->setText(text("YourChoice"));
    FBestWay->setText(text("BestWay"));
    FEV1->setText(text("ExpectedReturn"));
    FEV2->setText(text("ExpectedReturn"));
    FWarnings->setText(text("Confirm"));
    FBack->setText(text("ChangeHold"));
    FApply->setText(FPreferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("Apply")));
    FCancel->setText(FPreferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("Cancel")));
    FAllHandsButton->setText(FPreferences.Texts().WindowCaption(QStringLiteral("AllHands")));
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
    font.setBold(true);
    FYourChoice->setFont(font);
    FBestWay->setFont(font);
    MakeHeaderLabel(FHeader, FPreferences);
    Fill(); // the comment is a text of the language too
}

void TWarningWindow::Fill() {
    TCardPainter painter;
    painter.Init();
    const QColor corner = palette().color(QPalette::Window);
    const int bestMask = FSession.Hand().Record().BestMask;
    for (int i = 0; i < kHandSize; ++i) {
        const int code = FSession.Hand().CardAt(i);
        if (code < 0 || code > kMaxCardCode) continue;
        const TCard card = DecodeCard(code);
        const bool wild = card.Rank >= 0 && FSession.Game().IsWild(card.Rank);
        for (auto [label, mask] : {std::pair{FMyCards[i], FSession.Hand().DrawMask()},
                                   std::pair{FBestCards[i], bestMask}}) {
            QImage image(TCardPainter::Width, TCardPainter::Height,
                         QImage::Format_ARGB32_Premultiplied);
            QPainter p(&image);
            painter.DrawSmallCard(p, corner, card.Rank, std::max(card.Suit, 0), !IsBitSet(mask, i),
                                  wild);
            p.end();
            label->setPixmap(QPixmap::fromImage(image));
        }
    }
    const int bet = std::max(FSession.Game().Bet(), 1);
    // Every hand of a deal plays this hold: the money is that of all of them.
    const double coin = CoinValue(FSession.CoinIndex()) * FSession.ExtraHands().HandsPerDeal();
    const double my = static_cast<double>(FSession.Coach().PlayerReturn()) / bet;
    const double best = static_cast<double>(FSession.Coach().BestReturn()) / bet;
    FMyEV->setText(Fixed("%10.5f%%", my * 100));
    // Money reads as everywhere else in the program: the sign before the amount.
    FMyEVDollars->setText(QStringLiteral("$") + Fixed("%10.5f", bet * my * coin));
    FBestEV->setText(Fixed("%10.5f%%", best * 100));
    FBestEVDollars->setText(QStringLiteral("$") + Fixed("%10.5f", bet * best * coin));
    FComment->setText(FormatText(
        FPreferences.Texts().Translate(kWarningTexts, QStringLiteral("Comment")),
        {Fixed("%10.5f", (best - my) * bet * coin), Fixed("%10.5f", (best - my) * 100)}));
    const auto advice = FSession.Coach().HoldAdvice();
    const TStrategyChart* chart = FSession.Coach().Chart().Chart();
    FWhy->setText(advice && chart ? HoldWhyText(*advice, *chart, FPreferences) : QString());
    FWhy->setVisible(!FWhy->text().isEmpty());
}

bool TWarningWindow::StopWarnings() const {
    return FWarnings->isChecked();
}

IGameWindows::TWarningAnswer ShowWarningWindow(QWidget* parent, const TSession& session,
                                               TPreferences& preferences,
                                               std::function<void(QWidget*)> allHands) {
    TWarningWindow window(session, preferences, std::move(allHands), parent);
    window.Retranslate();
    IGameWindows::TWarningAnswer answer;
    const int choice = window.exec();
    answer.ApplyBest = choice == TWarningWindow::wcApplyBest;
    answer.ChangeHold = choice == TWarningWindow::wcChangeHold;
    answer.StopWarnings = window.StopWarnings();
    return answer;
}

} // namespace drawmentor
