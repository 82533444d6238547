#include "NumberField.h"

#include <QKeyEvent>
#include <QLocale>
#include <QRegularExpression>

namespace drawmentor {

TNumberField::TNumberField(int decimals, TRule rule, QWidget* parent)
    : QLineEdit(parent), FDecimals(decimals), FRule(std::move(rule)) {
    connect(this, &QLineEdit::editingFinished, this, &TNumberField::Take);
}

void TNumberField::SetValue(double value) {
    FValue = value;
    setText(Format(value));
}

QString TNumberField::Format(double value) const {
    QString text = QString::number(value, 'f', FDecimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0'))) text.chop(1);
        if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    }
    return text;
}

void TNumberField::Take() {
    // Either decimal mark: the Russian keyboard types a comma.
    QString typed = text().trimmed();
    typed.replace(QLatin1Char(','), QLatin1Char('.'));
    static const QRegularExpression plain(QStringLiteral(R"(^(\d*)(?:\.(\d*))?$)"));
    const QRegularExpressionMatch match = plain.match(typed);
    bool number = match.hasMatch() && typed != QLatin1String(".") && !typed.isEmpty() &&
                  match.captured(2).size() <= FDecimals;
    const double value = number ? QLocale::c().toDouble(typed, &number) : 0;
    if (!number || !FRule(value)) {
        setText(Format(FValue));
        emit Refused(FRefusal);
        return;
    }
    setText(Format(value));
    if (value == FValue) return;
    FValue = value;
    emit ValueChanged(value);
}

void TNumberField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Take();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace drawmentor
