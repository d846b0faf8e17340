#include "app/library_browser.h"

#include "app/start_window_geometry.h"

#include "workbook/word_library.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>

#include <memory>

namespace caici {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LibraryBrowser::LibraryBrowser(QWidget& startWindow) : QTabWidget(&startWindow) {
    setObjectName(QStringLiteral("pgc1"));
    // Out of sight above the client area.
    setGeometry(design::start::pgc1);

    auto page = std::make_unique<QWidget>();
    auto* label = new QLabel(QStringLiteral("请选择词库："), page.get());
    label->setGeometry(design::start::libraryCaption);
    cbb1 = new QComboBox(page.get());
    cbb1->setObjectName(QStringLiteral("cbb1"));
    cbb1->setEditable(false);
    cbb1->setGeometry(design::start::cbb1);
    btn2 = new QPushButton(QStringLiteral("打开词库"), page.get());
    btn2->setObjectName(QStringLiteral("btn2"));
    btn2->setGeometry(design::start::btn2);
    dbgrd1 = new QTableView(page.get());
    dbgrd1->setObjectName(QStringLiteral("dbgrd1"));
    dbgrd1->setGeometry(design::start::dbgrd1);
    rows_ = new QStandardItemModel(dbgrd1);
    dbgrd1->setModel(rows_);
    dbgrd1->horizontalHeader()->setDefaultSectionSize(columnWidth);
    dbgrd1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    // The page control takes ownership of its pages.
    addTab(page.release(), QStringLiteral("词库设置"));
    addTab(std::make_unique<QWidget>().release(), QStringLiteral("音效设置"));
    addTab(std::make_unique<QWidget>().release(), QStringLiteral("游戏设置"));
}

void LibraryBrowser::setSheetNames(const std::vector<std::string>& names) {
    cbb1->clear();
    for (const auto& name : names) cbb1->addItem(fromUtf8(name));
}

QString LibraryBrowser::chosenSheet() const {
    return cbb1->currentText();
}

void LibraryBrowser::showSheet(const SheetView& sheet) {
    rows_->clear();
    rows_->setColumnCount(static_cast<int>(sheet.columns.size()));
    QStringList headers;
    for (const auto& column : sheet.columns) headers << fromUtf8(column);
    rows_->setHorizontalHeaderLabels(headers);
    for (const auto& row : sheet.rows) {
        QList<QStandardItem*> items;
        for (const auto& cell : row) items << std::make_unique<QStandardItem>(fromUtf8(cell)).release();
        rows_->appendRow(items);  // the model owns the items
    }
    for (int column = 0; column < rows_->columnCount(); ++column) dbgrd1->setColumnWidth(column, columnWidth);
}

}  // namespace caici
