#pragma once
// The painting frame of the effect-text controls: a light-weight child widget
// (no native window of its own) that owns a renderer, turns every effective
// change of its settings into one redraw through Changed, and offers the
// background helpers that the text controls draw with: the parent's picture
// under a transparent control, a background picture in four placements, and
// the cross-fade between two frames.

#include <QWidget>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

#include "common/error_guard.h"
#include "effecttext/aa_font.h"
#include "effecttext/colors.h"
#include "effecttext/font.h"
#include "effecttext/persistent.h"
#include "effecttext/picture.h"

namespace caici {

class TCanvas;
class TCnAAGraphicControl;

using TControlEvent = std::function<void(TCnAAGraphicControl& sender)>;

enum class TDragKind : std::uint8_t { dkDrag, dkDock };
enum class TDragMode : std::uint8_t { dmManual, dmAutomatic };
using TCursor = std::int16_t;
inline constexpr TCursor crDrag = -12;

enum class TBackGroundMode : std::uint8_t {
    bmTiled = 0,
    bmStretched = 1,
    bmCenter = 2,
    bmNormal = 3,
};

// A group of the control's own properties, published together. It holds
// only its control: reading or writing a value reads or writes the control.
class TCnControlGroup : public TPersistent {
public:
    explicit TCnControlGroup(TCnAAGraphicControl& control) : control_(control) {}
    TCnAAGraphicControl& Control() const { return control_; }

private:
    TCnAAGraphicControl& control_;
};

class TCnDrag : public TCnControlGroup {
public:
    using TCnControlGroup::TCnControlGroup;

    TDragKind DragKind() const;
    void SetDragKind(TDragKind value);
    TCursor DragCursor() const;
    void SetDragCursor(TCursor value);
    TDragMode DragMode() const;
    void SetDragMode(TDragMode value);

    // Copies the three values of another group into this group's control.
    void CopyFrom(const TPersistent* source) override;
    const char* ClassName() const override { return "TCnDrag"; }
};

class TCnParentEffect : public TCnControlGroup {
public:
    using TCnControlGroup::TCnControlGroup;

    bool ParentColor() const;
    void SetParentColor(bool value);
    bool ParentFont() const;
    void SetParentFont(bool value);
    bool ParentShowHint() const;
    void SetParentShowHint(bool value);

    // Copies the three values of another group into this group's control.
    void CopyFrom(const TPersistent* source) override;
    const char* ClassName() const override { return "TCnParentEffect"; }
};

class TCnAAGraphicControl : public QWidget {
    Q_OBJECT

public:
    explicit TCnAAGraphicControl(QWidget* parent = nullptr);
    ~TCnAAGraphicControl() override;

    // The renderer; its effect reports to Changed.
    TCnAAFontEx& AAFont() { return *aaFont_; }
    const TCnAAFontEx& AAFont() const { return *aaFont_; }

    // Redraws the content (Reset) unless the control is not initialized yet,
    // is being torn down or is inside BeginUpdate/EndUpdate.
    void Changed();
    void BeginUpdate() { ++updateCount_; }
    // Does not call Changed: the caller decides when to redraw.
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    bool Initialized() const { return initialized_; }
    // The window's definition has been applied: initialize now rather than
    // at the first paint.
    void Loaded();

    TColor Color() const { return color_; }
    // Setting a colour stops taking the parent's.
    void SetColor(TColor value);
    const TFont& Font() const { return *font_; }
    // Setting a font stops taking the parent's.
    void SetFont(const TFont& value);
    bool ShowHint() const;
    void SetShowHint(bool value);

    TCnDrag& Drag() { return drag_; }
    // Copies the three values.
    void SetDrag(const TCnDrag& value) { drag_.CopyFrom(&value); }
    TCnParentEffect& ParentEffect() { return parentEffect_; }
    // Copies the three values.
    void SetParentEffect(const TCnParentEffect& value) { parentEffect_.CopyFrom(&value); }

    TDragKind DragKind() const { return dragKind_; }
    void SetDragKind(TDragKind value) { dragKind_ = value; }
    TCursor DragCursor() const { return dragCursor_; }
    void SetDragCursor(TCursor value) { dragCursor_ = value; }
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode value) { dragMode_ = value; }
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);

    // Where failures inside paint and timer handlers are shown; without one
    // they are written to the log of Qt's message handler.
    void SetErrorReporter(ErrorReporter* reporter);

    const TControlEvent& OnMouseEnter() const { return onMouseEnter_; }
    void SetOnMouseEnter(TControlEvent value) { onMouseEnter_ = std::move(value); }
    const TControlEvent& OnMouseLeave() const { return onMouseLeave_; }
    void SetOnMouseLeave(TControlEvent value) { onMouseLeave_ = std::move(value); }

    // Paints what lies under the control into the surface, whose (0, 0) is
    // the control's top-left corner: the parent's own painting and then the
    // sibling widgets below this control that intersect it, in the parent's
    // stacking order. Nothing without a parent.
    void CopyParentBackground(TCanvas& surface) { CopyParentBackground(surface, rect()); }
    // The same for the part area of the control (in its own coordinates)
    // alone, into a surface whose (0, 0) is area's top-left corner.
    void CopyParentBackground(TCanvas& surface, const QRect& area);
    // Fills rect with the surface's brush colour, then places the picture.
    static void DrawBackground(TCanvas& surface, const QRect& rect, TBackGroundMode mode,
                               const TPicture& picture);

protected:
    // Paints the control; area is the part the platform asks for (the
    // painter is clipped to it).
    virtual void PaintContent(QPainter& painter, const QRegion& area);
    virtual void Initialize();
    virtual void Reset();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

    // While set, changes reported by the settings are not turned into
    // redraws (a line being laid out copies styles into the renderer).
    bool& renderingFlag() { return rendering_; }
    // Whether Changed would redraw now.
    bool CanRedraw() const { return initialized_ && !destroying_ && !rendering_ && updateCount_ == 0; }

    // Runs a handler body; an exception stops the body and is reported once,
    // since nothing may be thrown back into Qt's event dispatch.
    template <class Body>
    void guardedAction(Body&& body) {
        guarded(errorReporter(), std::forward<Body>(body));
    }

private:
    ErrorReporter& errorReporter();
    void adoptParentColor();
    void adoptParentFont();

    std::unique_ptr<TCnAAFontEx> aaFont_;
    std::unique_ptr<TFont> font_;
    TCnDrag drag_;
    TCnParentEffect parentEffect_;
    TControlEvent onMouseEnter_;
    TControlEvent onMouseLeave_;
    ErrorReporter* errorReporter_ = nullptr;
    int updateCount_ = 0;
    bool initialized_ = false;
    bool painting_ = false;
    bool rendering_ = false;
    bool destroying_ = false;
    int lastHeight_ = 0;
    int lastWidth_ = 0;
    TColor color_ = clWhite;
    bool parentColor_ = false;
    bool parentFont_ = true;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TDragKind dragKind_ = TDragKind::dkDrag;
    TCursor dragCursor_ = crDrag;
    TDragMode dragMode_ = TDragMode::dmManual;
};

}  // namespace caici
