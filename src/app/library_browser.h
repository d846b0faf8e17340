#pragma once
// The library browser page pgc1 of the start window: a page control laid out
// far above the window's visible area, so users never see it. Its first page
// "词库设置" lists the workbook's sheets (cbb1) and shows the one chosen with
// "打开词库" (btn2) in the grid dbgrd1; the pages "音效设置" and "游戏设置" are
// empty. The start window fills the list after each library load and runs
// btn2's click.

#include <QTabWidget>

#include <string>
#include <vector>

class QComboBox;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace caici {

struct SheetView;

class LibraryBrowser : public QTabWidget {
    Q_OBJECT
public:
    // Every column of the grid is this wide.
    static constexpr int columnWidth = 150;

    explicit LibraryBrowser(QWidget& startWindow);

    void setSheetNames(const std::vector<std::string>& names);
    void showSheet(const SheetView& sheet);
    QString chosenSheet() const;

    QComboBox* cbb1 = nullptr;
    QPushButton* btn2 = nullptr;
    QTableView* dbgrd1 = nullptr;

private:
    QStandardItemModel* rows_ = nullptr;
};

}  // namespace caici
