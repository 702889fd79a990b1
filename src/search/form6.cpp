#include "form6.h"

#include "font_chooser.h"
#include "fonts.h"
#include "reference_lists.h"
#include "twips.h"
#include "window_parts.h"
#include "window_placement.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace velmor {

namespace {

QRadioButton* optionButton(QWidget* parent, const char* name, QRect geometry, const QString& text) {
    auto* button = place<QRadioButton>(parent, name, geometry);
    button->setText(text);
    button->setAccessibleName(text);
    return button;
}

QStringList juzEntries() {
    QStringList entries;
    for (int juz = 1; juz <= 30; ++juz) {
        entries.append(juz < 10 ? QString::number(juz) + u' ' : QString::number(juz));
    }
    return entries;
}

} // namespace

Form6::Form6(OptionsHost& host) : QWidget(nullptr), host_(host) {
    prepareFixedWindow(*this, "Form6", QStringLiteral("خصائص البحث"),
                       QSize(twips(6525), twips(3690)));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twipsRect(0, 75, 2190, 3270));
    Image1->setPixmap(QIcon(QStringLiteral(":/artwork/side.svg")).pixmap(Image1->size()));

    Frame1 = new QGroupBox(QStringLiteral("   خيارات البحث   "), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twipsRect(2685, 180, 3780, 675));
    alone = optionButton(Frame1, "alone", twipsRect(2250, 195, 1305, 435),
                         QStringLiteral("كلمة منفردة"));
    withother = optionButton(Frame1, "withother", twipsRect(915, 165, 1050, 435),
                             QStringLiteral("بحث شامل"));
    alone->setChecked(true);
    buildScope();

    Commandfont = pictureButton(this, "Commandfont", twipsRect(1665, 270, 990, 555), "font",
                                QStringLiteral("لتغير خط عرض الآيات"), 28);
    Command1 = pictureButton(this, "Command1", twipsRect(5325, 3165, 1125, 465), "close",
                             QStringLiteral("إغلاق"));
    connect(Commandfont, &QToolButton::clicked, this, &Form6::Commandfont_Click);
    connect(Command1, &QToolButton::clicked, this, &Form6::Command1_Click);
    // Escape is the close button, which keeps the scope and the font; the
    // title bar's close box keeps its own, designed behaviour.
    onEscape(*this, [this] { Command1_Click(); });
}

void Form6::buildScope() {
    const QStringList& suras = store::pickerSuraNames();
    const QString suraPrompt = QStringLiteral("اختر إسم السورة");
    const QString juzPrompt = QStringLiteral("اختر الجزء");
    allsearch = optionButton(this, "allsearch", twipsRect(4320, 915, 1920, 495),
                             QStringLiteral("كامل القرآن الكريم"));
    soraop = optionButton(this, "soraop", twipsRect(4350, 1380, 1905, 360),
                          QStringLiteral("البحث في سورة واحدة"));
    sora = promptedPicker(this, "sora", twipsRect(2445, 1365, 1710, 315), suraPrompt, suras);
    sora12op = optionButton(this, "sora12op", twipsRect(4170, 1815, 2085, 345),
                            QStringLiteral("البحث من سورة الى أخرى"));
    sora1 = promptedPicker(this, "sora1", twipsRect(2445, 1815, 1710, 315), suraPrompt, suras);
    Label1 = new QLabel(QStringLiteral("إلى"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(2115, 1860, 255, 195));
    sora2 = promptedPicker(this, "sora2", twipsRect(345, 1815, 1710, 315), suraPrompt, suras);
    partop = optionButton(this, "partop", twipsRect(4545, 2205, 1710, 420),
                          QStringLiteral("البحث في جزء واحد"));
    part = promptedPicker(this, "part", twipsRect(2445, 2250, 1710, 315), juzPrompt, juzEntries());
    part12op = optionButton(this, "part12op", twipsRect(4350, 2685, 1905, 360),
                            QStringLiteral("البحث من جزء إلى آخر"));
    part1 =
        promptedPicker(this, "part1", twipsRect(3000, 2700, 1200, 315), juzPrompt, juzEntries());
    Label4 = new QLabel(QStringLiteral("إلى"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(twipsRect(2640, 2730, 255, 195));
    part2 =
        promptedPicker(this, "part2", twipsRect(1380, 2700, 1185, 315), juzPrompt, juzEntries());
    allsearch->setChecked(true);
    // Six pickers of two kinds: each named for a screen reader by its place,
    // and the edit box inside each by the same name.
    const std::pair<QComboBox*, const char*> named[] = {
        {sora, "السورة"}, {sora1, "من السورة"}, {sora2, "إلى السورة"},
        {part, "الجزء"},  {part1, "من الجزء"},  {part2, "إلى الجزء"}};
    for (const auto& [picker, name] : named) {
        picker->setAccessibleName(QString::fromUtf8(name));
        picker->lineEdit()->setAccessibleName(QString::fromUtf8(name));
    }

    // Two groups: the matching mode inside the frame, the scope outside.
    auto* scopes = new QButtonGroup(this);
    for (QRadioButton* button : {allsearch, soraop, sora12op, partop, part12op}) {
        scopes->addButton(button);
    }
}

std::array<QRadioButton*, 5> Form6::scopeButtons() const {
    return {allsearch, partop, part12op, soraop, sora12op};
}

void Form6::Form_Load() {
    centreOnScreen(*this);
    const int scope = host_.searchScope();
    if (scope >= 0 && scope < static_cast<int>(scopeButtons().size())) {
        scopeButtons()[static_cast<std::size_t>(scope)]->setChecked(true);
    }
}

void Form6::Command1_Click() {
    const auto buttons = scopeButtons();
    for (std::size_t scope = 0; scope < buttons.size(); ++scope) {
        if (buttons[scope]->isChecked()) {
            host_.setSearchScope(static_cast<qint16>(scope));
        }
    }
    hide();
    host_.keepDisplayFont();
}

void Form6::Commandfont_Click() {
    // The chooser opens on exactly the display's font; a cancelled choice
    // leaves the font as it was.
    FontChooser chooser(host_.displayFont(), this);
    if (chooser.exec() == QDialog::Accepted) {
        host_.setDisplayFont(chooser.chosenFont());
    }
}

SearchOptions Form6::searchOptions(int scope) const {
    return {scope,
            alone->isChecked(),
            part->currentIndex(),
            part1->currentIndex(),
            part2->currentIndex(),
            sora->currentIndex(),
            sora1->currentIndex(),
            sora2->currentIndex()};
}

void Form6::setSearchOptions(const SearchOptions& options) {
    (options.wholeWord ? alone : withother)->setChecked(true);
    if (options.scope >= 0 && options.scope < static_cast<int>(scopeButtons().size())) {
        scopeButtons()[static_cast<std::size_t>(options.scope)]->setChecked(true);
    }
    const std::pair<QComboBox*, int> pickers[] = {{part, options.part},   {part1, options.part1},
                                                  {part2, options.part2}, {sora, options.sora},
                                                  {sora1, options.sora1}, {sora2, options.sora2}};
    for (const auto& [picker, index] : pickers) {
        if (index >= 0 && index < picker->count()) {
            picker->setCurrentIndex(index);
        }
    }
}

} // namespace velmor
