#include "fadetext/graphic_control.h"

#include <QEnterEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <vector>

#include "effecttext/bitmap.h"
#include "effecttext/canvas.h"

namespace caici {
namespace {

TColor fromQColor(const QColor& color) {
    return fromRgb(static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
                   static_cast<std::uint8_t>(color.blue()));
}

// The parent's font as the effect text describes fonts.
void describeFont(const QFont& font, const QColor& color, TFont& target) {
    TFont described;
    described.SetName(font.family().toStdString());
    if (font.pixelSize() > 0) {
        described.SetHeight(-font.pixelSize());
    } else {
        described.SetHeight(-static_cast<int>(std::lround(font.pointSizeF() * TFont::PixelsPerInch / 72.0)));
    }
    described.SetStyle(TFontStyles{}
                           .with(TFontStyle::fsBold, font.weight() >= QFont::DemiBold)
                           .with(TFontStyle::fsItalic, font.italic())
                           .with(TFontStyle::fsUnderline, font.underline())
                           .with(TFontStyle::fsStrikeOut, font.strikeOut()));
    described.SetColor(fromQColor(color));
    if (!target.SameAs(described)) {
        target.Assign(described);
    }
}

}  // namespace

TDragKind TCnDrag::DragKind() const { return Control().DragKind(); }
void TCnDrag::SetDragKind(TDragKind value) { Control().SetDragKind(value); }
TCursor TCnDrag::DragCursor() const { return Control().DragCursor(); }
void TCnDrag::SetDragCursor(TCursor value) { Control().SetDragCursor(value); }
TDragMode TCnDrag::DragMode() const { return Control().DragMode(); }
void TCnDrag::SetDragMode(TDragMode value) { Control().SetDragMode(value); }

void TCnDrag::CopyFrom(const TPersistent* source) {
    const auto* drag = dynamic_cast<const TCnDrag*>(source);
    if (drag == nullptr) {
        AssignError(source);
    }
    SetDragKind(drag->DragKind());
    SetDragCursor(drag->DragCursor());
    SetDragMode(drag->DragMode());
}

bool TCnParentEffect::ParentColor() const { return Control().ParentColor(); }
void TCnParentEffect::SetParentColor(bool value) { Control().SetParentColor(value); }
bool TCnParentEffect::ParentFont() const { return Control().ParentFont(); }
void TCnParentEffect::SetParentFont(bool value) { Control().SetParentFont(value); }
bool TCnParentEffect::ParentShowHint() const { return Control().ParentShowHint(); }
void TCnParentEffect::SetParentShowHint(bool value) { Control().SetParentShowHint(value); }

void TCnParentEffect::CopyFrom(const TPersistent* source) {
    const auto* effect = dynamic_cast<const TCnParentEffect*>(source);
    if (effect == nullptr) {
        AssignError(source);
    }
    SetParentColor(effect->ParentColor());
    SetParentFont(effect->ParentFont());
    SetParentShowHint(effect->ParentShowHint());
}

TCnAAGraphicControl::TCnAAGraphicControl(QWidget* parent)
    : QWidget(parent),
      aaFont_(std::make_unique<TCnAAFontEx>(nullptr)),
      font_(std::make_unique<TFont>()),
      drag_(*this),
      parentEffect_(*this) {
    // The control paints its whole area itself, so nothing beneath it needs
    // painting first; what shows through a transparent control is painted by
    // the control into its own frame.
    setAttribute(Qt::WA_OpaquePaintEvent);
    aaFont_->Effect().SetOnChange([this](TPersistent*) { Changed(); });
    if (parent != nullptr) {
        adoptParentFont();
    }
    font_->SetOnChange([this] { Changed(); });
}

TCnAAGraphicControl::~TCnAAGraphicControl() { destroying_ = true; }

void TCnAAGraphicControl::Changed() {
    if (!CanRedraw()) {
        return;
    }
    guardedAction([this] { Reset(); });
}

void TCnAAGraphicControl::EndUpdate() {
    if (updateCount_ > 0) {
        --updateCount_;
    }
}

void TCnAAGraphicControl::Loaded() {
    initialized_ = true;
    guardedAction([this] { Initialize(); });
}

void TCnAAGraphicControl::SetColor(TColor value) {
    parentColor_ = false;
    if (value == color_) {
        return;
    }
    color_ = value;
    Changed();
}

void TCnAAGraphicControl::SetFont(const TFont& value) {
    parentFont_ = false;
    if (!font_->SameAs(value)) {
        font_->Assign(value);
    }
}

bool TCnAAGraphicControl::ShowHint() const {
    if (!parentShowHint_) {
        return showHint_;
    }
    const auto* parentControl = dynamic_cast<const TCnAAGraphicControl*>(parentWidget());
    return parentControl != nullptr ? parentControl->ShowHint() : true;
}

void TCnAAGraphicControl::SetShowHint(bool value) {
    showHint_ = value;
    parentShowHint_ = false;
}

void TCnAAGraphicControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value) {
        adoptParentColor();
    }
}

void TCnAAGraphicControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value) {
        adoptParentFont();
    }
}

void TCnAAGraphicControl::SetParentShowHint(bool value) {
    if (value) {
        showHint_ = ShowHint();
    }
    parentShowHint_ = value;
}

void TCnAAGraphicControl::SetErrorReporter(ErrorReporter* reporter) { errorReporter_ = reporter; }

ErrorReporter& TCnAAGraphicControl::errorReporter() {
    // Without a reporter of the application's, failures go to Qt's log.
    struct QtLog : ErrorReporter {
        void reportError(const std::string& text) override { qWarning("%s", text.c_str()); }
    };
    static QtLog log;
    return errorReporter_ != nullptr ? *errorReporter_ : log;
}

void TCnAAGraphicControl::adoptParentColor() {
    const QWidget* parent = parentWidget();
    if (parent == nullptr) {
        return;
    }
    const TColor color = fromQColor(parent->palette().color(parent->backgroundRole()));
    if (color != color_) {
        color_ = color;
        Changed();
    }
}

void TCnAAGraphicControl::adoptParentFont() {
    const QWidget* parent = parentWidget();
    if (parent == nullptr) {
        return;
    }
    describeFont(parent->font(), parent->palette().color(parent->foregroundRole()), *font_);
}

void TCnAAGraphicControl::PaintContent(QPainter&, const QRegion&) {}

void TCnAAGraphicControl::Initialize() { Changed(); }

void TCnAAGraphicControl::Reset() { update(); }

void TCnAAGraphicControl::CopyParentBackground(TCanvas& surface, const QRect& area) {
    QWidget* parent = parentWidget();
    if (parent == nullptr || surface.Image().isNull()) {
        return;
    }
    // In the parent's coordinates: the part wanted, and where the surface's
    // (0, 0) lies.
    const QPoint origin = pos() + area.topLeft();
    const QRect bounds = area.translated(pos()) & geometry();
    if (bounds.isEmpty()) {
        return;
    }
    const QObjectList& children = parent->children();
    const auto self = std::find(children.begin(), children.end(), this);
    // The siblings below this control, bottom first: the children list of a
    // widget is its stacking order. Siblings above paint over the control on
    // screen by themselves.
    std::vector<QWidget*> beneath;
    for (auto it = children.begin(); it != self; ++it) {
        auto* sibling = qobject_cast<QWidget*>(*it);
        if (sibling != nullptr && !sibling->isWindow() && sibling->isVisibleTo(parent) &&
            sibling->geometry().intersects(bounds)) {
            beneath.push_back(sibling);
        }
    }
    // A sibling that paints every pixel of itself (the rule Qt's own
    // repainting uses) and covers the whole control hides everything under
    // it; painting that would be wasted work.
    std::size_t first = 0;
    bool parentShows = true;
    for (std::size_t i = beneath.size(); i-- > 0;) {
        const QWidget* sibling = beneath[i];
        const bool opaque = sibling->testAttribute(Qt::WA_OpaquePaintEvent) || sibling->autoFillBackground();
        if (opaque && sibling->geometry().contains(bounds)) {
            first = i;
            parentShows = false;
            break;
        }
    }
    QPainter painter(&surface.Image());
    // The parent paints only itself here (no children), limited to the part
    // under this control; its failures must not stop the text.
    const QRect own = bounds.intersected(parent->rect());
    if (parentShows && !own.isEmpty()) {
        try {
            parent->render(&painter, own.topLeft() - origin, QRegion(own), QWidget::DrawWindowBackground);
        } catch (const std::exception&) {
        }
    }
    for (std::size_t i = first; i < beneath.size(); ++i) {
        QWidget* sibling = beneath[i];
        const QRect part = sibling->geometry().intersected(bounds);
        sibling->render(&painter, part.topLeft() - origin,
                        QRegion(part.translated(-sibling->pos())),
                        QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }
}

void TCnAAGraphicControl::DrawBackground(TCanvas& surface, const QRect& rect, TBackGroundMode mode,
                                         const TPicture& picture) {
    const TBrushStyle style = surface.Brush().Style;
    surface.Brush().Style = TBrushStyle::bsSolid;
    surface.FillRect(rect);
    surface.Brush().Style = style;
    if (!picture.HasGraphic()) {
        return;
    }
    const QImage& graphic = picture.Graphic();
    const int pictureWidth = graphic.width();
    const int pictureHeight = graphic.height();
    // Rectangles are left/top inclusive, right/bottom exclusive here.
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    switch (mode) {
    case TBackGroundMode::bmTiled:
        for (int row = 0; row <= rect.height() / pictureHeight; ++row) {
            for (int column = 0; column <= rect.width() / pictureWidth; ++column) {
                surface.Draw(left + column * pictureWidth, top + row * pictureHeight, graphic);
            }
        }
        break;
    case TBackGroundMode::bmStretched:
        if (picture.IsIcon()) {
            TBitmap backed(pictureWidth, pictureHeight);
            backed.Canvas().Brush().Color = surface.Brush().Color;
            backed.Canvas().FillRect(QRect(0, 0, pictureWidth, pictureHeight));
            backed.Canvas().Draw(0, 0, graphic);
            surface.StretchDraw(rect, backed.Image());
        } else {
            surface.StretchDraw(rect, graphic);
        }
        break;
    case TBackGroundMode::bmCenter:
        surface.Draw((left + right - pictureWidth) / 2, (top + bottom - pictureHeight) / 2, graphic);
        break;
    case TBackGroundMode::bmNormal:
        surface.Draw(left, top, graphic);
        break;
    }
}

void TCnAAGraphicControl::paintEvent(QPaintEvent* event) {
    if (destroying_) {
        return;
    }
    if (!initialized_) {
        initialized_ = true;
        guardedAction([this] { Initialize(); });
    }
    if (!isVisible() || painting_) {
        return;
    }
    painting_ = true;
    QPainter painter(this);
    guardedAction([this, &painter, event] { PaintContent(painter, event->region()); });
    painting_ = false;
}

void TCnAAGraphicControl::resizeEvent(QResizeEvent* event) {
    if (height() != lastHeight_ || width() != lastWidth_) {
        lastHeight_ = height();
        lastWidth_ = width();
        Changed();
    }
    QWidget::resizeEvent(event);
}

void TCnAAGraphicControl::enterEvent(QEnterEvent* event) {
    if (onMouseEnter_) {
        guardedAction([this] { onMouseEnter_(*this); });
    }
    QWidget::enterEvent(event);
}

void TCnAAGraphicControl::leaveEvent(QEvent* event) {
    if (onMouseLeave_) {
        guardedAction([this] { onMouseLeave_(*this); });
    }
    QWidget::leaveEvent(event);
}

void TCnAAGraphicControl::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
        if (parentFont_) {
            adoptParentFont();
        }
        break;
    case QEvent::PaletteChange:
        if (parentColor_) {
            adoptParentColor();
        }
        break;
    case QEvent::ParentChange:
        if (parentFont_) {
            adoptParentFont();
        }
        if (parentColor_) {
            adoptParentColor();
        }
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

bool TCnAAGraphicControl::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && !ShowHint()) {
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}

}  // namespace caici
