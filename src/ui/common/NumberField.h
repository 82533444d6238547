#pragma once

#include <QLineEdit>

#include <functional>

namespace drawmentor {

// A number typed in a line. The field takes it when the typing ends (Enter,
// or leaving the field) if it is a plain decimal of at most `decimals` places
// that the field's rule accepts; anything else is refused: the last number
// taken comes back and Refused carries the field's message. Enter never
// reaches the dialog's default button: it ends the typing, nothing more.
class TNumberField : public QLineEdit {
    Q_OBJECT

  public:
    using TRule = std::function<bool(double)>;

    TNumberField(int decimals, TRule rule, QWidget* parent = nullptr);

    double Value() const { return FValue; }
    // Shows `value` as taken, without a signal.
    void SetValue(double value);
    void SetRule(TRule rule) { FRule = std::move(rule); }
    // The rule in the interface's words, for Refused.
    void SetRefusal(const QString& message) { FRefusal = message; }
    // Takes or refuses what is typed, as the end of typing does.
    void Take();

  signals:
    void ValueChanged(double value);
    void Refused(const QString& message);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString Format(double value) const;

    int FDecimals;
    TRule FRule;
    double FValue = 0;
    QString FRefusal;
};

} // namespace drawmentor
