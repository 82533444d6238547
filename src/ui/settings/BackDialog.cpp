#include "BackDialog.h"

#include "ui/common/CardImage.h"
#include "ui/common/DialogButtons.h"
#include "ui/common/GradientLabel.h"
#include "ui/common/HelpKey.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/TextSections.h"

#include "prefs/Preferences.h"
#include "render/PaintEngine.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace drawmentor {

namespace {

// A clear frame with a 2-pixel pen of the highlight colour; clicks pass
// through it to the back it surrounds.
class TFocusBevel : public QWidget {
  public:
    explicit TFocusBevel(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("FocusBevel"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

} // namespace

TBackDialog::TBackDialog(QWidget* parent, int currentIndex, TPreferences& preferences)
    : QDialog(parent), FPreferences(preferences) {
    setObjectName(QStringLiteral("fmBackDialog"));
    auto* layout = new QVBoxLayout(this);
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("ImagesPanel"));
    panel->setAutoFillBackground(true);
    panel->setBackgroundRole(QPalette::Base);
    TPaintEngine engine;
    const int w = engine.CardWidth, h = engine.CardHeight;
    panel->setFixedSize(10 + 5 * (w + 10), 10 + 3 * (h + 10));
    FFocusBevel = new TFocusBevel(panel);
    FFocusBevel->hide();
    for (int i = 0; i < kBackCount; ++i) {
        QImage back(w, h, QImage::Format_RGB32);
        back.fill(Qt::white);
        try {
            QPainter painter(&back);
            engine.SetBackIndex(i);
            engine.DrawBack(painter, back.rect());
        } catch (const std::exception&) {
            // Without the back strip the places stay blank but can be chosen.
        }
        auto* image = new TCardImage(i, panel);
        image->setObjectName(QStringLiteral("Back%1").arg(i));
        image->SetImage(back);
        image->setGeometry(10 + (i % 5) * (w + 10), 10 + (i / 5) * (h + 10), w, h);
        connect(image, &TCardImage::Pressed, this, &TBackDialog::Select);
        FImages.push_back(image);
    }
    layout->addWidget(panel);
    const TDialogButtons buttons = AddDialogButtons(*this, *layout);
    FOK = buttons.OK;
    FCancel = buttons.Cancel;
    InstallHelpKey(*this, hcBack, FPreferences);
    connect(&FPreferences, &TPreferences::PreferencesChanged, this, &TBackDialog::Retranslate);
    Retranslate();
    Select(currentIndex >= 0 && currentIndex < kBackCount ? currentIndex : 0);
}

void TBackDialog::Retranslate() {
    setWindowTitle(FPreferences.Texts().WindowCaption(QStringLiteral("BackDialog")));
    FOK->setText(FPreferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("OK")));
    FCancel->setText(FPreferences.Texts().Translate(kMainButtonsTexts, QStringLiteral("Cancel")));
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
}

void TBackDialog::Select(int index) {
    if (index < 0 || index >= kBackCount || index == FSelected) return;
    FSelected = index;
    FFocusBevel->setGeometry(FImages[index]->geometry().adjusted(-5, -5, 5, 5));
    FFocusBevel->show();
    FFocusBevel->raise();
}

int ChooseBack(QWidget* parent, int currentIndex, TPreferences& preferences) {
    TBackDialog dialog(parent, currentIndex, preferences);
    return dialog.exec() == QDialog::Accepted ? dialog.Selected() : -1;
}

} // namespace drawmentor
