#include "round/overlay_panel.h"

#include "effecttext/aa_effect.h"
#include "fadetext/fade_text.h"
#include "round/word_display_style.h"

#include <QHeaderView>
#include <QPainter>
#include <QResizeEvent>
#include <QTableView>

#include <algorithm>

namespace caici {
namespace {

constexpr int titleShare = 6;  // the title takes a sixth of the height

}  // namespace

OverlayPanel::OverlayPanel(QWidget& parent, const QPixmap& background, const std::string& title)
    : QWidget(&parent), backdrop_(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    this->title = new TCnAAFadeText(this);
    this->title->BeginUpdate();
    TCnFontLabel* style = this->title->Fonts().AddFontLabel(wordStyleName, "微软雅黑", 72, 0,
                                                            TFontStyles{TFontStyle::fsBold}, true, 4, 4);
    setWordDisplayStyle(style->Font(), style->Effect());
    this->title->CreateDefaultLabels();
    this->title->Text().SetFadeDelay(50);
    this->title->Text().Lines().SetLine(wordDisplayLine(title));
    this->title->Text().SetTransparent(true);
    this->title->ParentEffect().SetParentColor(false);
    this->title->SetFitToClient(true);
    this->title->EndUpdate();
    hide();
}

void OverlayPanel::finish() {
    built_ = true;
    title->Loaded();
    // One line, shown once: no need for the line timer to draw it again.
    title->SetActive(false);
    parentWidget()->installEventFilter(this);
    setGeometry(parentWidget()->rect());
}

int OverlayPanel::textPixels() const {
    return std::max(18, height() / 22);
}

bool OverlayPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void OverlayPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    backdrop_.paint(painter, size());
}

void OverlayPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isVisible()) backdrop_.fit(size());
    relayOut();
}

void OverlayPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    backdrop_.fit(size());
    relayOut();
}

void OverlayPanel::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    backdrop_.release();
}

void OverlayPanel::relayOut() {
    // A hidden panel is laid out when it shows.
    if (!built_ || !isVisible()) return;
    const int margin = std::max(12, width() / 40);
    const int titleHeight = height() / titleShare;
    const int buttonHeight = textPixels() * 2;
    title->setGeometry(margin, margin / 2, width() - 2 * margin, titleHeight);
    const QRect buttons(margin, height() - margin - buttonHeight, width() - 2 * margin, buttonHeight);
    const QRect content(margin, title->geometry().bottom() + margin / 2, width() - 2 * margin,
                        buttons.top() - margin / 2 - title->geometry().bottom() - margin / 2);
    layOut(content, buttons);
}

void OverlayPanel::setInstant(bool on) {
    title->SetInstant(on);
}

void OverlayPanel::styleTable(QTableView& table) const {
    QFont font = table.font();
    font.setPixelSize(textPixels());
    font.setBold(true);
    table.setFont(font);
    QFont header = font;
    header.setPixelSize(textPixels() * 3 / 4);
    table.horizontalHeader()->setFont(header);
    table.verticalHeader()->setDefaultSectionSize(textPixels() * 8 / 5);
    table.setShowGrid(false);
    table.setFrameShape(QFrame::NoFrame);
    table.setStyleSheet(
        QStringLiteral(
            "QTableView { background: transparent; color: white; selection-background-color: rgba(255, 255, 0, 60);"
            " selection-color: white; }"
            "QHeaderView { background: transparent; }"
            "QHeaderView::section { background: transparent; color: %1; border: none; }"
            "QTableCornerButton::section { background: transparent; border: none; }")
            .arg(panelHeading.name()));
    table.viewport()->setAutoFillBackground(false);
}

}  // namespace caici
