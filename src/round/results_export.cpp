#include "round/results_export.h"

#include <QDate>
#include <QImage>
#include <QSaveFile>

#include <utility>

#include "common/errors.h"
#include "texts/match_export.h"
#include "round/scoreboard_picture.h"

namespace caici {

ResultsExport::ResultsExport(const Game& game, WindowDialogs& dialogs, ErrorReporter& errors,
                             const QPixmap& background, const QString& digitalFamily, const EventBrand& brand)
    : game_(game),
      dialogs_(dialogs),
      errors_(errors),
      background_(background),
      digitalFamily_(digitalFamily),
      brand_(brand) {}

void ResultsExport::save(QWidget& parent, const QString& caption, const QString& suggested, const QString& filter,
                         std::function<void(const Match& match, const QString& path)> write) {
    if (!game_.match()) return;
    dialogs_.saveFile(&parent, caption, suggested, filter, [this, write = std::move(write)](const QString& path) {
        guarded(errors_, [&] {
            // The match may have ended while the chooser was open.
            if (game_.match()) write(*game_.match(), path);
        });
    });
}

void ResultsExport::saveCsv(QWidget& parent) {
    save(parent, QStringLiteral("导出比赛成绩"), QStringLiteral("比赛成绩.csv"), QStringLiteral("CSV 表格 (*.csv)"),
         [](const Match& match, const QString& path) {
             const std::string csv = matchCsv(match);
             QSaveFile file(path);
             if (!file.open(QIODevice::WriteOnly) ||
                 file.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()) ||
                 !file.commit()) {
                 throw Error("比赛成绩无法保存到 " + path.toStdString() + "：" + file.errorString().toStdString());
             }
         });
}

void ResultsExport::savePicture(QWidget& parent) {
    save(parent, QStringLiteral("导出计分板图片"), QStringLiteral("计分板.png"), QStringLiteral("PNG 图片 (*.png)"),
         [this](const Match& match, const QString& path) {
             const QImage picture = scoreboardPicture(match, background_, digitalFamily_, QDate::currentDate(), brand_);
             if (!picture.save(path, "PNG")) throw Error("计分板图片无法保存到 " + path.toStdString() + "。");
         });
}

}  // namespace caici
