#pragma once
// A sunken label that shows an amount whole: in its layout font when the text fits, else in a
// smaller one down to a legible floor, then with fewer digits. What the amount is, is the caller's.

#include <QFont>
#include <QLabel>

namespace margino {

class AmountLabel : public QLabel {
    Q_OBJECT

public:
    static constexpr int FloorPixels = 10; // smallest font size still read at a glance
    static constexpr int Margin = 3;       // space kept clear at the label's edges

    AmountLabel(const QFont &layoutFont, QWidget *parent = nullptr);

    // The full amount: the label shows what fits of it, and keeps it whole as its tooltip and
    // its accessible name.
    void setAmount(const QString &amount);
    QString amount() const { return amount_; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fit();
    bool fits(const QString &text, const QFont &font) const;

    QFont layoutFont_;
    QString amount_;
};

} // namespace margino
