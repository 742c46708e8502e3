// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The credits roll on screen: one widget painting every line of a CreditsRoll where and in the
// colour the roll says, from each line's kept ink when the painter agrees with it. When to tick
// is the About window's business.

#include "about/creditsroll.h"
#include "ui/inkedline.h"

#include <QStaticText>
#include <QWidget>
#include <array>
#include <map>

namespace margino {

class CreditsView : public QWidget {
public:
    // area: the credits area in the parent's coordinates, of which this widget shows a part.
    CreditsView(const CreditsRoll &roll, const QRect &area, QWidget *parent);

    void setTexts(const std::array<QString, CreditsRoll::LastLine + 1> &texts);
    // The roll has moved: repaint.
    void rollMoved() { update(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const CreditsRoll &roll_;
    QRect area_;
    std::array<QStaticText, CreditsRoll::LastLine + 1> texts_;
    // Every shown line's ink, or none when one line's ink differs from what a painter draws.
    std::optional<std::array<std::optional<InkedLine>, CreditsRoll::LastLine + 1>> inked_;
    QImage frame_;
    // The fade's colours come round at every turn: each one's blends are worked out once.
    std::map<QRgb, InkColour> colours_;
};

} // namespace margino
