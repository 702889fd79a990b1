// The main window's controls and menus, as designed: made, named, placed
// and captioned. The behaviour they start is in form1.cpp.
#include "fonts.h"
#include "form1.h"
#include "list_box.h"
#include "menu_key.h"
#include "text_boxes.h"
#include "tray_area.h"
#include "twips.h"
#include "window_parts.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolButton>
#include <algorithm>

namespace velmor {

namespace {

QLabel* label(QWidget* parent, const char* name, QRect geometry, const QString& caption) {
    auto* widget = place<QLabel>(parent, name, geometry);
    // Captions and values read right to left: each text keeps to the right
    // edge of its box, next to what it belongs to.
    widget->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    widget->setText(caption);
    widget->setFont(designedLabelFont());
    widget->setAccessibleName(caption);
    return widget;
}

QLabel* valueLabel(QWidget* parent, const char* name, QRect geometry, const QString& initial,
                   const QString& accessibleName) {
    auto* widget = label(parent, name, geometry, initial);
    setSpokenCaption(*widget, accessibleName);
    return widget;
}

QToolButton* mainButton(QWidget* parent, const char* name, QRect geometry, const char* picture,
                        const QString& toolTip) {
    QToolButton* button = pictureButton(parent, name, geometry, picture, toolTip);
    button->setFont(designedLabelFont());
    return button;
}

QPlainTextEdit* textBox(QWidget* parent, const char* name, QRect geometry, const QFont& font) {
    QPlainTextEdit* box = makeReadOnlyTextBox(parent, name, font);
    box->setGeometry(geometry);
    return box;
}

QAction* action(QObject* parent, const char* name, const QString& caption) {
    auto* item = new QAction(caption, parent);
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

QAction* separator(QMenu* menu, const char* name) {
    QAction* item = menu->addSeparator();
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

QMenu* submenu(QWidget* parent, const char* name, const QString& caption) {
    auto* menu = new QMenu(caption, parent);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

void Form1::designWindow() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral(" Velmor"));
    setWindowIcon(programIcon());
    setLayoutDirection(Qt::RightToLeft);
    setFont(designedFormFont());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
}

void Form1::buildControls(QWidget* client) {
    buildSearchRow(client);
    buildLists(client);
    buildValues(client);
    fitCaptions(client);
    for (QWidget* box : {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Text2)}) {
        box->installEventFilter(this);
    }
    // Where the keyboard is shows plainly: a frame in the highlight colour
    // on the lists, the aya display and the picture buttons.
    client->setStyleSheet(QStringLiteral(
        "#suraayaalist:focus, #addaya:focus, #Text1:focus, #Text2:focus "
        "{ border: 2px solid palette(highlight); }"
        "QToolButton:focus { border: 2px solid palette(highlight); border-radius: 3px; }"));
    setTabOrder(searcht, Text1);
    setTabOrder(Text1, suraayaalist);
    setTabOrder(suraayaalist, addaya);
    setTabOrder(addaya, search);
    setTabOrder(search, copytext);
    setTabOrder(copytext, option);
    setTabOrder(option, allayaasearch);
    setTabOrder(allayaasearch, Text2);
    connectControls();
}

void Form1::buildSearchRow(QWidget* client) {
    Image1 = place<QLabel>(client, "Image1", twipsRect(-120, -120, 9780, 5910));
    Image1->setPixmap(QIcon(QStringLiteral(":/artwork/background.svg")).pixmap(Image1->size()));
    Image1->lower();

    searcht = place<QLineEdit>(client, "searcht", twipsRect(45, 75, 6735, 330));
    searcht->setAlignment(Qt::AlignCenter);
    searcht->setMaxLength(1 << 20); // a pasted passage is searched whole
    searcht->setFont(designedLabelFont());
    searcht->setAccessibleName(QStringLiteral("نص البحث :"));
    searcht->installEventFilter(this);
    Label6 = label(client, "Label6", twipsRect(6810, 120, 795, 195), QStringLiteral("نص البحث :"));

    option = mainButton(client, "option", twipsRect(90, 465, 630, 465), "options",
                        QStringLiteral("خصائص البحث"));
    copytext = mainButton(client, "copytext", twipsRect(765, 465, 630, 465), "copy",
                          QStringLiteral("نسخ النص إلى الذاكرة"));
    allayaasearch = mainButton(
        client, "allayaasearch", twipsRect(1440, 465, 645, 465), "sura",
        QStringLiteral(
            "قم بتحديد اسم سورة من قائمة النتائج و اضغط على هذا الزر للقيام ببحث على هذه الآية"));
    search = mainButton(client, "search", twipsRect(2145, 465, 915, 465), "search",
                        QStringLiteral("القيام بعملية بحث"));
}

void Form1::buildLists(QWidget* client) {
    Label3 = label(client, "Label3", twipsRect(5490, 750, 390, 195), QStringLiteral("الآية :"));
    Label7 =
        label(client, "Label7", twipsRect(6810, 765, 870, 195), QStringLiteral("نتائج البحث :"));

    addaya = place<ListBox>(client, "addaya", twipsRect(45, 990, 1350, 2370));
    addaya->setAccessibleName(QStringLiteral("الآيات المختارة"));
    Text1 = textBox(client, "Text1", twipsRect(1410, 990, 4485, 2370), designedDisplayFont());
    Text1->setAccessibleName(QStringLiteral("الآية :"));

    suraayaalist = place<ListBox>(client, "suraayaalist", twipsRect(5910, 990, 1770, 2955));
    suraayaalist->setUniformItemSizes(true);
    suraayaalist->setAccessibleName(QStringLiteral("نتائج البحث :"));
    suraayaalist->setToolTip(
        QStringLiteral("انقر مرتين على نتيجة (أو اضغط Enter) لإضافتها إلى الآيات المختارة"));
    addaya->setToolTip(
        QStringLiteral("انقر مرتين على آية (أو اضغط Enter أو Delete) لحذفها من الآيات المختارة"));
    for (QListWidget* list : {addaya, suraayaalist}) {
        list->setLayoutDirection(Qt::RightToLeft);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->installEventFilter(this);
    }
}

void Form1::buildValues(QWidget* client) {
    soraayanum = valueLabel(client, "soraayanum", twipsRect(135, 3465, 600, 240),
                            QStringLiteral("0"), QStringLiteral("عدد آيات السورة :"));
    Label10 = label(client, "Label10", twipsRect(750, 3465, 1215, 195),
                    QStringLiteral("عدد آيات السورة :"));
    typetext = valueLabel(client, "typetext", twipsRect(2010, 3465, 600, 240),
                          QStringLiteral("---"), QStringLiteral("التصنيف :"));
    label8 = label(client, "label8", twipsRect(2625, 3465, 630, 195), QStringLiteral("التصنيف :"));
    chapterNOtext = valueLabel(client, "chapterNOtext", twipsRect(3285, 3465, 600, 240),
                               QStringLiteral("0"), QStringLiteral("الجزء :"));
    Label1 = label(client, "Label1", twipsRect(3900, 3465, 450, 195), QStringLiteral("الجزء :"));
    pagenotext = valueLabel(client, "pagenotext", twipsRect(4380, 3465, 600, 240),
                            QStringLiteral("0"), QStringLiteral("رقم الصفحة :"));
    Label4 =
        label(client, "Label4", twipsRect(4995, 3465, 855, 195), QStringLiteral("رقم الصفحة :"));

    // The count grows to four digits: the label keeps its right edge and
    // extends to the left so that no count is clipped.
    score = valueLabel(client, "score", twipsRect(4740 - 600, 3735, 600, 195), QStringLiteral("0"),
                       QStringLiteral("عدد النتائج :"));
    Label2 =
        label(client, "Label2", twipsRect(4995, 3720, 840, 195), QStringLiteral("عدد النتائج :"));

    Text2 = textBox(client, "Text2", twipsRect(45, 3975, 7650, 2070), [] {
        QFont font = designedDisplayFont();
        font.setPointSizeF(9.75);
        return font;
    }());
    Text2->setAccessibleName(QStringLiteral("تفسير معاني القرآن"));
    Text2->hide();
}

void Form1::fitCaptions(QWidget* client) {
    // A caption wider than its designed box grows to the left, keeping its
    // right edge (and a taller one about its middle), so that no text is cut
    // off in the substituted fonts.
    for (QLabel* caption : client->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (caption == Image1) {
            continue;
        }
        const QSize needed = caption->sizeHint();
        QRect box = caption->geometry();
        if (needed.width() > box.width()) {
            box.setLeft(box.right() + 1 - needed.width());
        }
        if (needed.height() > box.height()) { // grow about the designed middle
            box.adjust(0, -(needed.height() - box.height()) / 2, 0, 0);
            box.setHeight(needed.height());
        }
        caption->setGeometry(box);
    }
    // Each value ends a few pixels short of its caption, so that a widened
    // caption never runs into the value beside it.
    const std::pair<QLabel*, QLabel*> valueAndCaption[] = {{soraayanum, Label10},
                                                           {typetext, label8},
                                                           {chapterNOtext, Label1},
                                                           {pagenotext, Label4},
                                                           {score, Label2}};
    for (const auto& [value, caption] : valueAndCaption) {
        QRect box = value->geometry();
        box.setRight(std::min(box.right(), caption->geometry().left() - 3));
        value->setGeometry(box);
    }
}

namespace {
// Every shortcut of the menus, submenus included.
void collectShortcuts(const QList<QAction*>& actions, QList<QKeySequence>& into) {
    for (const QAction* action : actions) {
        if (!action->shortcut().isEmpty()) {
            into.append(action->shortcut());
        }
        if (action->menu() != nullptr) {
            collectShortcuts(action->menu()->actions(), into);
        }
    }
}
} // namespace

bool Form1::isMenuShortcut(const QKeyEvent& key) const {
    // The menus' own shortcuts win over the text boxes' keys.
    QList<QKeySequence> keys;
    collectShortcuts(menuBar()->actions(), keys);
    return keys.contains(QKeySequence(key.keyCombination()));
}

// The notification area icon's pop-up menu.
void Form1::buildTrayMenu() {
    SHOW1 = submenu(this, "SHOW1", QStringLiteral("SHOW1"));
    closeme = action(SHOW1, "closeme", QStringLiteral("إغلاق"));
    SHOW1->addAction(closeme);
    cut1 = separator(SHOW1, "cut1");
    max = action(SHOW1, "max", QStringLiteral("إظهار"));
    min = action(SHOW1, "min", QStringLiteral("اخفاء"));
    SHOW1->addAction(max);
    SHOW1->addAction(min);
    cut2 = separator(SHOW1, "cut2");
    updateme = action(SHOW1, "updateme", QStringLiteral("تحديث"));
    aboutme = action(SHOW1, "aboutme", QStringLiteral("عن البرنامج"));
    SHOW1->addAction(updateme);
    SHOW1->addAction(aboutme);
    cut3 = separator(SHOW1, "cut3");
    closeme2 = action(SHOW1, "closeme2", QStringLiteral("أغلاق القائمة"));
    SHOW1->addAction(closeme2);
    SHOW1->setLayoutDirection(Qt::RightToLeft);
}

void Form1::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menubar"));

    tafser = action(this, "tafser", QStringLiteral("تفسير معاني القرآن"));
    bar->addAction(tafser);

    buildTrayMenu();
    fullsearch = action(this, "fullsearch", QStringLiteral("البحوث الكاملة"));
    bar->addAction(fullsearch);

    make = submenu(this, "make", QStringLiteral("تكوين النص"));
    chosen = action(make, "chosen", QStringLiteral("تكوين النص المختار"));
    chosen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    allayaa = action(make, "allayaa", QStringLiteral("تكوين النص لسورة كاملة"));
    allayaa->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    make->addAction(chosen);
    make->addAction(allayaa);
    bar->addMenu(make);

    help = submenu(this, "help", QStringLiteral("مساعدة"));
    about = action(help, "about", QStringLiteral("عن البرنامج"));
    help->addAction(about);
    cut = separator(help, "cut");
    update = action(help, "update", QStringLiteral("تحديث"));
    help->addAction(update);
    shortcuts = submenu(help, "shortcuts", QStringLiteral("الاختصارات"));
    copy = action(shortcuts, "copy", QStringLiteral("نسخ النص"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    tools = action(shortcuts, "tools", QStringLiteral("tools"));
    tools->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    shortcuts->addAction(copy);
    shortcuts->addAction(tools);
    help->addMenu(shortcuts);
    bar->addMenu(help);

    reading = action(this, "reading", QStringLiteral("القراءة"));
    reading->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    bar->addAction(reading);
    verifying = action(this, "verifying", QStringLiteral("التحقق من اقتباس"));
    bar->addAction(verifying);
    researching = action(this, "researching", QStringLiteral("البحث المتقدم"));
    bar->addAction(researching);

    bindMenuKey(*this, *bar);

    for (QAction* item : {chosen, allayaa, copy, tools, reading}) {
        item->setShortcutContext(Qt::WindowShortcut);
    }
    connectMenus();
}

void Form1::connectMenus() {
    connect(tafser, &QAction::triggered, this, &Form1::tafser_Click);
    connect(closeme, &QAction::triggered, this, &Form1::closeme_Click);
    connect(max, &QAction::triggered, this, &Form1::max_Click);
    connect(min, &QAction::triggered, this, &Form1::min_Click);
    connect(updateme, &QAction::triggered, this, &Form1::updateme_Click);
    connect(aboutme, &QAction::triggered, this, &Form1::aboutme_Click);
    connect(fullsearch, &QAction::triggered, this, &Form1::fullsearch_Click);
    connect(chosen, &QAction::triggered, this, &Form1::chosen_Click);
    connect(allayaa, &QAction::triggered, this, &Form1::allayaa_Click);
    connect(about, &QAction::triggered, this, &Form1::about_Click);
    connect(update, &QAction::triggered, this, &Form1::update_Click);
    connect(copy, &QAction::triggered, this, &Form1::copy_Click);
    connect(tools, &QAction::triggered, this, &Form1::tools_Click);
    connect(reading, &QAction::triggered, this, &Form1::reading_Click);
    connect(verifying, &QAction::triggered, this, &Form1::verify_Click);
    connect(researching, &QAction::triggered, this, &Form1::research_Click);
    // closeme2 only closes the pop-up, which choosing any item does.
}

} // namespace velmor
