#pragma once
// A team's colour as the host picks it: one swatch per colour of
// teamPalette, exactly one of them chosen. The swatches are buttons of one
// exclusive group, so the arrow keys move between them and choose as they
// go, and each carries the colour's name for assistive technology.

#include <QIcon>
#include <QWidget>

#include <cstddef>

class QButtonGroup;

namespace caici {

class ColourSwatches : public QWidget {
    Q_OBJECT
public:
    explicit ColourSwatches(QWidget* parent = nullptr);

    std::size_t colour() const;
    // Chooses the swatch without telling picked.
    void setColour(std::size_t colour);

    // The name of a place in teamPalette ("橙色", …).
    static QString colourName(std::size_t colour);
    // The colour as a small square, for a list of teams.
    static QIcon colourIcon(std::size_t colour);

signals:
    void picked(std::size_t colour);

private:
    QButtonGroup* group_ = nullptr;
};

}  // namespace caici
