#include "fadetext/font_style_file.h"

#include <QFileInfo>

#include "effecttext/key_value_store.h"
#include "fadetext/markup_tags.h"

namespace caici {

void loadFontStyles(const QString& path, TCnFontLabels& fonts) {
    if (!QFileInfo::exists(path)) {
        throw Error(QStringLiteral("找不到字体样式文件“%1”。").arg(path).toStdString());
    }
    const IniFileStore store(path);
    const std::vector<std::string> sections = store.Sections();
    if (sections.size() > kMaxFontStylesInFile) {
        throw Error(QStringLiteral("字体样式文件“%1”有 %2 个样式，最多 %3 个。")
                        .arg(path)
                        .arg(sections.size())
                        .arg(kMaxFontStylesInFile)
                        .toStdString());
    }
    for (const std::string& section : sections) {
        if (fonts.IndexOf(section) >= 0) {
            throw EDuplicateString();
        }
        TCnFontLabel& style = fonts.Add();
        style.SetName(section);
        TFont font(style.Font());
        font.SetName(store.ReadString(section, "FontName").value_or(font.Name()));
        font.SetHeight(-store.ReadInteger(section, "FontHeight", -font.Height()));
        font.SetStyle(font.Style()
                          .with(TFontStyle::fsBold, store.ReadBool(section, "FontBold", false))
                          .with(TFontStyle::fsItalic, store.ReadBool(section, "FontItalic", false)));
        font.SetColor(store.ReadInteger(section, "FontColor", font.Color()));
        style.SetFont(font);
        style.Effect().LoadFromIni(store, section);
    }
}

}  // namespace caici
