#include "fadetext/font_style_file.h"

#include <QFile>
#include <QSettings>

#include "effecttext/key_value_store.h"
#include "fadetext/markup_tags.h"

namespace caici {

std::vector<std::string> iniSectionNames(const QString& iniText) {
    std::vector<std::string> names;
    for (const QString& raw : iniText.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            names.push_back(line.mid(1, line.size() - 2).trimmed().toStdString());
        }
    }
    return names;
}

void loadFontStyles(const QString& path, TCnFontLabels& fonts) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(QStringLiteral("Cannot read the font styles in %1: %2").arg(path, file.errorString()).toStdString());
    }
    const std::vector<std::string> sections = iniSectionNames(QString::fromUtf8(file.readAll()));
    const QSettings settings(path, QSettings::IniFormat);
    const IniFileStore store(path);
    for (const std::string& section : sections) {
        if (fonts.IndexOf(section) >= 0) {
            throw EDuplicateString();
        }
        TCnFontLabel& style = fonts.Add();
        style.SetName(section);
        TFont font(style.Font());
        const QString prefix = QString::fromStdString(section) + QLatin1Char('/');
        font.SetName(settings.value(prefix + QLatin1String("FontName"), QString::fromStdString(font.Name()))
                         .toString()
                         .toStdString());
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
