#include "round/results_export.h"

#include <QDate>
#include <QImage>
#include <QSaveFile>

#include "common/errors.h"
#include "game/match_export.h"
#include "round/scoreboard_picture.h"

namespace caici {

ResultsExport::ResultsExport(const Game& game, WindowDialogs& dialogs, ErrorReporter& errors,
                             const QPixmap& background, const QString& digitalFamily)
    : game_(game), dialogs_(dialogs), errors_(errors), background_(background), digitalFamily_(digitalFamily) {}

void ResultsExport::saveCsv(QWidget& parent) {
    if (!game_.match()) return;
    dialogs_.saveFile(&parent, QStringLiteral("导出比赛成绩"), QStringLiteral("比赛成绩.csv"),
                      QStringLiteral("CSV 表格 (*.csv)"), [this](const QString& path) {
                          guarded(errors_, [&] {
                              // The match may have ended while the chooser was open.
                              if (!game_.match()) return;
                              const std::string csv = matchCsv(*game_.match());
                              QSaveFile file(path);
                              if (!file.open(QIODevice::WriteOnly) ||
                                  file.write(csv.data(), static_cast<qint64>(csv.size())) !=
                                      static_cast<qint64>(csv.size()) ||
                                  !file.commit()) {
                                  throw Error("比赛成绩无法保存到 " + path.toStdString() + "：" +
                                              file.errorString().toStdString());
                              }
                          });
                      });
}

void ResultsExport::savePicture(QWidget& parent) {
    if (!game_.match()) return;
    dialogs_.saveFile(&parent, QStringLiteral("导出计分板图片"), QStringLiteral("计分板.png"),
                      QStringLiteral("PNG 图片 (*.png)"), [this](const QString& path) {
                          guarded(errors_, [&] {
                              if (!game_.match()) return;
                              const QImage picture = scoreboardPicture(*game_.match(), background_, digitalFamily_,
                                                                       QDate::currentDate());
                              if (!picture.save(path, "PNG")) {
                                  throw Error("计分板图片无法保存到 " + path.toStdString() + "。");
                              }
                          });
                      });
}

}  // namespace caici
