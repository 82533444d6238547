#include "MeterPanel.h"

#include "HoldCostMessage.h"

#include "play/Session.h"
#include "prefs/Preferences.h"
#include "ui/common/LineText.h"
#include "ui/common/TextSections.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace drawmentor {

namespace {

const QColor kFace(16, 14, 12);
const QColor kRim(196, 154, 60);
const QColor kCaption(230, 196, 110);
const QColor kFigure(255, 70, 40);
const QColor kLitFigure(255, 214, 40);

// The largest size of `font` at which `text` fits `box` on one line.
QFont Fitted(QFont font, const QString& text, const QSizeF& box) {
    font.setPixelSize(std::max(6, static_cast<int>(box.height())));
    for (int size = font.pixelSize(); size > 6; --size) {
        font.setPixelSize(size);
        const QFontMetricsF metrics(font);
        if (metrics.horizontalAdvance(text) <= box.width() && metrics.height() <= box.height() + 2)
            break;
    }
    return font;
}

} // namespace

TMeter::TMeter(const char* name, QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromLatin1(name));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TMeter::Set(const QString& caption, const QString& value, bool lit) {
    if (caption == FCaption && value == FValue && lit == FLit) return;
    FCaption = caption;
    FValue = value;
    FLit = lit;
    update();
}

void TMeter::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setRenderHint(QPainter::Antialiasing);
    const double rim = std::max(1.0, height() / 24.0);
    const QRectF face = QRectF(rect()).adjusted(rim / 2, rim / 2, -rim / 2, -rim / 2);
    p.setPen(QPen(FLit ? kLitFigure : kRim, rim));
    p.setBrush(kFace);
    p.drawRoundedRect(face, height() / 6.0, height() / 6.0);
    // The caption takes the upper two fifths, the figure the rest; a lit
    // caption (the winning hand's name) is as bright as its figure.
    const QRectF inner = face.adjusted(2 * rim + 2, rim, -2 * rim - 2, -rim);
    const QRectF top(inner.left(), inner.top(), inner.width(), inner.height() * 0.4);
    const QRectF bottom(inner.left(), top.bottom(), inner.width(), inner.height() * 0.6);
    QFont font = this->font();
    font.setBold(true);
    p.setFont(Fitted(font, FCaption, top.size()));
    p.setPen(FLit ? kLitFigure : kCaption);
    p.drawText(top, Qt::AlignCenter | Qt::TextSingleLine, FCaption);
    p.setFont(Fitted(font, FValue, bottom.size()));
    p.setPen(FLit ? kLitFigure : kFigure);
    p.drawText(bottom, Qt::AlignCenter | Qt::TextSingleLine, FValue);
}

TMeterPanel::TMeterPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("meterPanel"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(3, 2, 3, 2);
    row->setSpacing(6);
    FCredits = new TMeter("creditMeter", this);
    FWin = new TMeter("winMeter", this);
    row->addWidget(FCredits, 2);
    row->addWidget(FWin, 3);
}

void TMeterPanel::Update(const TSession& session, const TPreferences& preferences) {
    const TTexts& texts = preferences.Texts();
    FCredits->Set(texts.Translate(kMainLabelsTexts, QStringLiteral("Credits")),
                  QString::number(session.Counters().Credits()), false);
    // A deal of several hands pays on all of them: the figure is the deal's,
    // and a line is named only when the table hand is all there is.
    const int win = session.DealWin();
    const int line = session.Hand().CurrentLine();
    const bool settled = win > 0 && session.Hand().State() == TGameState::gsDrawn &&
                         DoubleUpMessage(session, preferences).isEmpty();
    const bool named = settled && line >= 0 && session.ExtraHands().DealtHands() == 1;
    if (named) {
        FWin->Set(LineText(session.Game().LineName(line), texts).toUpper(), QString::number(win),
                  true);
    } else {
        FWin->Set(texts.Translate(kMainLabelsTexts, QStringLiteral("Win")), QString::number(win),
                  settled);
    }
}

} // namespace drawmentor
