#pragma once
// A text control with named font styles (Fonts) and user labels (Labels),
// both reporting their changes to the control. The default sets of styles
// and labels exist for a control being laid out in a window designer; at run
// time the collections hold exactly what the owner puts into them, and an
// owner that wants the defaults calls CreateDefaultFonts/CreateDefaultLabels.

#include <memory>

#include "fadetext/font_labels.h"
#include "fadetext/graphic_control.h"
#include "fadetext/user_labels.h"

namespace caici {

class TCnAACustomText : public TCnAAGraphicControl {
    Q_OBJECT

public:
    explicit TCnAACustomText(QWidget* parent = nullptr);
    ~TCnAACustomText() override;

    TCnFontLabels& Fonts() { return *fonts_; }
    const TCnFontLabels& Fonts() const { return *fonts_; }
    void SetFonts(const TCnFontLabels& value) { fonts_->CopyFrom(&value); }
    TCnUserLabels& Labels() { return *labels_; }
    const TCnUserLabels& Labels() const { return *labels_; }
    void SetLabels(const TCnUserLabels& value) { labels_->CopyFrom(&value); }

    // Left, Center, Right, Owner, Organization, AppTitle, Date, Time.
    virtual void CreateDefaultLabels();
    // Title1, Title2, Title3, Text1, Text2.
    virtual void CreateDefaultFonts();
    virtual bool UsesDefaultText() const { return true; }

    // Whether the control is being laid out in a window designer: only then
    // does Initialize fill empty collections with the default sets.
    bool Designing() const { return designing_; }
    void SetDesigning(bool value) { designing_ = value; }

protected:
    void Initialize() override;

private:
    std::unique_ptr<TCnFontLabels> fonts_;
    std::unique_ptr<TCnUserLabels> labels_;
    bool designing_ = false;
    bool defaultFontsCreated_ = false;
    bool defaultLabelsCreated_ = false;
};

}  // namespace caici
