#pragma once
// Labels of the show on the big screen. They keep their text as a QLabel
// does, so assistive technology and the desktop checks read what they show,
// and paint it in the show's look: a team's name after its colour mark, a
// headline in the title gradient, the event's logo and name, and the rule
// card's count in the seven-segment face inside a ring that empties.

#include "look/event_brand.h"

#include <QColor>
#include <QLabel>

#include <optional>

namespace caici {

// A line of text, after a round mark in a team's colour when one is set;
// the pair is placed as the label's alignment says.
class MarkedLabel : public QLabel {
    Q_OBJECT
public:
    explicit MarkedLabel(QWidget* parent);
    void setMark(std::optional<QColor> color);
    const std::optional<QColor>& mark() const { return mark_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<QColor> mark_;
};

// The text in the panels' title style, as large as the label allows.
class HeadlineLabel : public QLabel {
    Q_OBJECT
public:
    explicit HeadlineLabel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The event's logo and name; its text is the name, for those who cannot see
// the logo. Hidden while the brand is empty.
class BrandLabel : public QLabel {
    Q_OBJECT
public:
    explicit BrandLabel(QWidget* parent);
    void setBrand(const EventBrand& brand);
    const EventBrand& brand() const { return brand_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    EventBrand brand_;
};

// The count before a round: the number in the seven-segment face, in a ring
// that shows how much of the count is left.
class CountLabel : public QLabel {
    Q_OBJECT
public:
    CountLabel(QWidget* parent, const QString& digitalFamily, const QColor& color);
    void setCount(int seconds, int of);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString digitalFamily_;
    QColor color_;
    int seconds_ = 0;
    int of_ = 1;
};

}  // namespace caici
