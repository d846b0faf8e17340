#include "app/command_menu.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace caici {

namespace {

QAction* addEntry(QMenu& menu, const char* name, const char* caption) {
    QAction* action = menu.addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace

StartCommandMenu::StartCommandMenu(QWidget& window) : pm1_(new QMenu(&window)) {
    pm1_->setObjectName(QStringLiteral("pm1"));
    N1 = addEntry(*pm1_, "N1", "打开词库文件，读取词到lst1");
    lst21 = addEntry(*pm1_, "lst21", "把词顺序打乱，放到lst2里面");
    N2 = pm1_->addSeparator();
    N2->setObjectName(QStringLiteral("N2"));
    yes1 = addEntry(*pm1_, "yes1", "播放yes声音");
    no1 = addEntry(*pm1_, "no1", "播放no声音");
    N3 = addEntry(*pm1_, "N3", "播放结束声音");
    N4 = addEntry(*pm1_, "N4", "播放得分声音");
}

}  // namespace caici
