#include "fadetext/custom_text.h"

namespace caici {

TCnAACustomText::TCnAACustomText(QWidget* parent)
    : TCnAAGraphicControl(parent),
      fonts_(std::make_unique<TCnFontLabels>([this](TPersistent*) { Changed(); })),
      labels_(std::make_unique<TCnUserLabels>([this](TPersistent*) { Changed(); })) {}

TCnAACustomText::~TCnAACustomText() = default;

void TCnAACustomText::CreateDefaultLabels() { addDefaultLabels(*labels_); }

void TCnAACustomText::CreateDefaultFonts() {
    const TFontStyles bold{TFontStyle::fsBold};
    fonts_->AddFontLabel("Title1", "黑体", 12, 0, bold, true, 2, 2);
    fonts_->AddFontLabel("Title2", "黑体", 9, 16711680, bold, true, 1, 1);
    fonts_->AddFontLabel("Title3", "楷体_GB2312", 11, 16711680, {}, true, 2, 2);
    fonts_->AddFontLabel("Text1", "楷体_GB2312", 9, 0, {}, false, 1, 1);
    fonts_->AddFontLabel("Text2", "楷体_GB2312", 8, 8421376, {}, true, 1, 1);
}

void TCnAACustomText::Initialize() {
    if (!designing_) {
        return;
    }
    BeginUpdate();
    if (UsesDefaultText() && fonts_->Count() == 0 && !defaultFontsCreated_) {
        CreateDefaultFonts();
        defaultFontsCreated_ = true;
    }
    if (UsesDefaultText() && labels_->Count() == 0 && !defaultLabelsCreated_) {
        CreateDefaultLabels();
        defaultLabelsCreated_ = true;
    }
    EndUpdate();
}

}  // namespace caici
