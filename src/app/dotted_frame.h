#pragma once
// The dotted rounded rectangle that frames groups of texts on the start
// window and the rules dialog. It only paints: clicks go to what lies below.

#include <QColor>
#include <QWidget>

namespace caici {

class DottedFrame : public QWidget {
    Q_OBJECT
public:
    DottedFrame(QWidget& parent, const QRect& bounds, const QColor& penColor);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor penColor_;
};

}  // namespace caici
