#include "DeckDialog.h"

#include "ui/common/CardImage.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/GradientLabel.h"
#include "ui/common/HelpKey.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/TextSections.h"

#include "cards/Cards.h"
#include "prefs/DataFolder.h"
#include "prefs/Preferences.h"
#include "render/PaintEngine.h"

#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace drawmentor {

namespace {

constexpr int kCardWidth = 94;
constexpr int kCardHeight = 127;

} // namespace

QStringList InstalledDeckCodes() {
    const QDir folder(ProgramFolder() + QStringLiteral("data"));
    QStringList codes;
    for (const QString& name :
         folder.entryList({QStringLiteral("deck.*")}, QDir::Files | QDir::Hidden | QDir::System))
        codes << name.right(3);
    codes.sort();
    return codes;
}

TDeckDialog::TDeckDialog(QWidget* parent, const QString& currentCode, TPreferences& preferences)
    : QDialog(parent), FPreferences(preferences), FCodes(InstalledDeckCodes()),
      FUsable(static_cast<size_t>(FCodes.size()), true), FCurrentCode(currentCode) {
    setObjectName(QStringLiteral("fmDeckDialog"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    FDeckList = new QLabel(this);
    FDeckList->setObjectName(QStringLiteral("lDeckList"));
    FDeckList->setMinimumHeight(22);
    left->addWidget(FDeckList);
    FDecks = new QListWidget(this);
    FDecks->setObjectName(QStringLiteral("lbDecks"));
    FDecks->setFixedWidth(190); // the longest deck name in either language; the rest for the cards
    left->addWidget(FDecks, 1);
    top->addLayout(left, 0);
    auto* right = new QVBoxLayout;
    FHeader = new QLabel(this);
    FHeader->setObjectName(QStringLiteral("lHeader"));
    FHeader->setMinimumHeight(22);
    right->addWidget(FHeader);
    FImagesPanel = new QWidget(this);
    FImagesPanel->setObjectName(QStringLiteral("ImagesPanel"));
    FImagesPanel->setAutoFillBackground(true);
    FImagesPanel->setBackgroundRole(QPalette::Base); // the window colour
    FImagesPanel->setMinimumSize(5 * kCardWidth + 30, 3 * kCardHeight + 20);
    FImagesPanel->installEventFilter(this);
    for (int i = 0; i < kPreviewCards; ++i) {
        auto* image = new TCardImage(i, FImagesPanel);
        image->resize(kCardWidth, kCardHeight);
        image->hide();
        FImages.push_back(image);
    }
    right->addWidget(FImagesPanel, 1);
    top->addLayout(right, 1);
    layout->addLayout(top, 1);
    const TDialogButtons buttons = AddDialogButtons(*this, *layout);
    FOK = buttons.OK;
    FCancel = buttons.Cancel;
    connect(FDecks, &QListWidget::currentRowChanged, this, &TDeckDialog::Preview);
    InstallHelpKey(*this, hcDeck, FPreferences);
    connect(&FPreferences, &TPreferences::PreferencesChanged, this, &TDeckDialog::Retranslate);
    Retranslate();
    const int current = std::max(0, static_cast<int>(FCodes.indexOf(currentCode)));
    FOK->setEnabled(false); // until a deck is previewed
    if (!FCodes.isEmpty()) FDecks->setCurrentRow(current);
    FDecks->setFocus();
}

QString TDeckDialog::DeckName(int item) const {
    QString name = QStringLiteral(" ") +
                   FPreferences.Texts().Translate(kDeckDialogTexts, FCodes[item]).toUpper();
    if (!Usable(item))
        name += QStringLiteral(" ") +
                FPreferences.Texts().Translate(kDeckDialogTexts, QStringLiteral("Unusable"));
    return name;
}

void TDeckDialog::Retranslate() {
    setWindowTitle(FPreferences.Texts().WindowCaption(kDeckDialogTexts));
    FDeckList->setText(
        FPreferences.Texts().Translate(kDeckDialogTexts, QStringLiteral("DeckList")));
    FOK->setText(FPreferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("OK")));
    FCancel->setText(FPreferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("Cancel")));
    if (FDecks->count() == 0)
        for (int item = 0; item < FCodes.size(); ++item) FDecks->addItem(DeckName(item));
    else
        for (int item = 0; item < FCodes.size(); ++item)
            FDecks->item(item)->setText(DeckName(item));
    if (FDecks->currentItem()) FHeader->setText(FDecks->currentItem()->text().trimmed());
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
    FDeckList = MakeHeaderLabel(FDeckList, FPreferences);
    FHeader = MakeHeaderLabel(FHeader, FPreferences);
}

void TDeckDialog::Preview(int item) {
    for (TCardImage* image : FImages) image->hide();
    FOK->setEnabled(false);
    if (item < 0 || item >= FCodes.size()) return;
    FCurrentCode = FCodes[item];
    try {
        TPaintEngine engine;
        engine.LoadDeck(FCodes[item]);
        for (int i = 0; i < kPreviewCards; ++i) {
            QImage card(kCardWidth, kCardHeight, QImage::Format_RGB32);
            QPainter painter(&card);
            engine.DrawCard(painter, card.rect(), false, false, i / 5, kRankTen + i % 5);
            painter.end();
            FImages[i]->SetImage(card);
        }
        for (TCardImage* image : FImages) image->show();
        FOK->setEnabled(true);
    } catch (const std::exception&) {
        // A damaged deck file: listed as such, never previewed or chosen.
        FUsable[static_cast<size_t>(item)] = false;
        FDecks->item(item)->setText(DeckName(item));
        FDecks->item(item)->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    }
    FHeader->setText(FDecks->item(item)->text().trimmed());
    LayoutImages();
}

bool TDeckDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FImagesPanel && event->type() == QEvent::Resize) LayoutImages();
    return QDialog::eventFilter(watched, event);
}

// Five columns and three rows spread evenly over the panel, 5 pixels in.
void TDeckDialog::LayoutImages() {
    const int w = FImagesPanel->width(), h = FImagesPanel->height();
    for (int i = 0; i < kPreviewCards; ++i)
        FImages[i]->move(RoundHalfEven((i % 5) * (w - kCardWidth - 10) / 4.0) + 5,
                         RoundHalfEven((i / 5) * (h - kCardHeight - 10) / 2.0) + 5);
}

QString ChooseDeck(QWidget* parent, const QString& currentCode, TPreferences& preferences) {
    TDeckDialog dialog(parent, currentCode, preferences);
    return dialog.exec() == QDialog::Accepted ? dialog.CurrentCode() : QString();
}

} // namespace drawmentor
